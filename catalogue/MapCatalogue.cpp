#include "catalogue/MapCatalogue.h"

#include "catalogue/ShippedMapsText.h"
#include "leveldata/MapCode.h"
#include "leveldata/MapLoader.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {
	const int FIELD_COUNT = 6;
	const int MOST_SHARE = 100;

	std::vector<std::string> Lines(const std::string &text)
	{
		std::vector<std::string> lines;
		std::istringstream in(text);
		std::string line;
		while(std::getline(in, line))
			if(!line.empty() && line[0] != '#')
				lines.push_back(line);
		return lines;
	}

	std::vector<std::string> Fields(const std::string &line)
	{
		std::vector<std::string> fields;
		std::istringstream in(line);
		std::string field;
		while(std::getline(in, field, '\t'))
			fields.push_back(field);
		return fields;
	}

	bool ParseShare(const std::string &text, int &share)
	{
		if(text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != std::string::npos)
			return false;
		share = std::atoi(text.c_str());
		return share <= MOST_SHARE;
	}

	bool IsGrade(const std::string &grade)
	{
		return grade == "easy" || grade == "normal" || grade == "hard";
	}

	// The lists are the repository's own files: one that does not parse is a
	// build made from a broken checkout, and must not pass for one without
	// maps.
	std::vector<CatalogueEntry> ParseShipped()
	{
		std::string problem;
		std::vector<CatalogueEntry> entries = MapCatalogue::Parse(SHIPPED_MAPS_TEXT, problem);
		if(!problem.empty())
		{
			fprintf(stderr, "the built-in map catalogue is broken: %s\n", problem.c_str());
			abort();
		}
		return entries;
	}
}

const std::vector<CatalogueEntry> &MapCatalogue::Shipped()
{
	static const std::vector<CatalogueEntry> entries = ParseShipped();
	return entries;
}

const std::vector<std::string> &MapCatalogue::DailyCodes()
{
	static const std::vector<std::string> codes = ParseCodes(DAILY_MAPS_TEXT);
	return codes;
}

std::vector<CatalogueEntry> MapCatalogue::Parse(const std::string &text, std::string &problem)
{
	std::vector<CatalogueEntry> entries;
	for(const std::string &line : Lines(text))
	{
		std::vector<std::string> fields = Fields(line);
		CatalogueEntry entry;
		if(fields.size() != FIELD_COUNT || !ParseShare(fields[3], entry.sightedShare) ||
			!ParseShare(fields[4], entry.fullShare) || !IsGrade(fields[2]) ||
			(fields[1] != "authored" && fields[1] != "generated"))
		{
			problem = "line \"" + line + "\" is not name, origin, grade, sighted and full-knowledge share, code";
			return entries;
		}
		entry.name = fields[0];
		entry.origin = fields[1];
		entry.grade = fields[2];
		entry.code = fields[5];
		entries.push_back(entry);
	}
	return entries;
}

std::vector<std::string> MapCatalogue::ParseCodes(const std::string &text)
{
	return Lines(text);
}

std::vector<CatalogueEntry> MapCatalogue::OfGrade(const std::string &grade)
{
	std::vector<CatalogueEntry> entries;
	for(const CatalogueEntry &entry : Shipped())
		if(grade == "all" || entry.grade == grade)
			entries.push_back(entry);
	return entries;
}

std::string MapCatalogue::DataOf(const std::vector<std::string> &codes)
{
	std::string data;
	for(const std::string &code : codes)
	{
		MapRecord record;
		MapCode::Decode(code, record);
		data += (data.empty() ? "" : "\n") + FormatMapRecord(record);
	}
	return data;
}

std::string MapCatalogue::DataOfGrade(const std::string &grade)
{
	std::vector<std::string> codes;
	for(const CatalogueEntry &entry : OfGrade(grade))
		codes.push_back(entry.code);
	return DataOf(codes);
}
