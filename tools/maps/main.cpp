// vexarift-maps: the shipped maps and map codes, for players and the
// launcher.
//   --code [FILE]     the code of every map in FILE (DATA by default), a line each
//   --decode CODE...  the maps of the codes, as DATA holds them
//   --list            the shipped maps: name, grade, games won of 100 by the
//                     sighted and the full-knowledge player, code
//   --pool GRADE      the shipped maps of one grade (easy, normal, hard, all), as DATA
//   --daily [DATE]    the code of the daily map of DATE (YYYY-MM-DD, UTC; today by default)
//
// Exit status: 0 when all went well; 1 for a map code or map that is
// wrong, with one line on standard error saying what is wrong; 2 for bad
// arguments or a file that cannot be read.
#include "catalogue/DailyMap.h"
#include "catalogue/MapCatalogue.h"
#include "leveldata/MapAnalysis.h"
#include "leveldata/MapCode.h"
#include "leveldata/MapLoader.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {
	const int BAD_MAP = 1;
	const int BAD_USAGE = 2;

	int Usage(const char *program)
	{
		fprintf(stderr,
			"usage: %s --code [FILE] | --decode CODE... | --list | --pool easy|normal|hard|all | --daily "
			"[YYYY-MM-DD]\n",
			program);
		return BAD_USAGE;
	}

	// Codes every map of the file; a map that cannot be played has no code.
	class CodeListener : public MapFileListener {
	public:
		void MapRead(int mapLine, std::unique_ptr<MapRecord> record) override
		{
			std::vector<MapFinding> findings = FindMapFaults(*record);
			if(!findings.empty())
			{
				fprintf(stderr, "map at line %d: %s\n", mapLine,
					DescribeMapFinding(findings.front(), record->GetStart()).c_str());
				failed = true;
				return;
			}
			printf("%s\n", MapCode::Encode(*record).c_str());
		}

		// The game skips such lines, and so does the code.
		void UnknownLine(int, const std::string &) override {}

		// The game reads these positions as EMPTY, so the code would hold
		// another map than the one written: the author fixes the file first.
		void UnknownType(int line, int column, const std::string &word) override
		{
			fprintf(stderr, "line %d: unknown type \"%s\" in column %d; vexarift-mapcheck tells more\n", line,
				word.c_str(), column);
			failed = true;
		}

		void ShortRow(int line, int wordCount) override
		{
			fprintf(stderr, "line %d: the row has %d of its 10 words; vexarift-mapcheck tells more\n", line, wordCount);
			failed = true;
		}

		void MapEndsEarly(int mapLine) override
		{
			fprintf(stderr, "map at line %d: ends before its 11 lines\n", mapLine);
			failed = true;
		}

		void StartOutsideGrid(int mapLine, GridPosition) override
		{
			fprintf(stderr, "map at line %d: the start lies outside the grid\n", mapLine);
			failed = true;
		}

		bool failed = false;
	};

	int Code(const std::string &fileName)
	{
		std::ifstream in(fileName);
		if(!in)
		{
			fprintf(stderr, "%s: cannot read the map file\n", fileName.c_str());
			return BAD_USAGE;
		}
		CodeListener listener;
		ReadMapFile(in, listener);
		return listener.failed ? BAD_MAP : 0;
	}

	// Records apart by a blank line, as in the shipped DATA.
	int Decode(const std::vector<std::string> &codes)
	{
		std::string text;
		for(const std::string &code : codes)
		{
			MapRecord record;
			std::string problem = MapCode::Decode(code, record);
			if(!problem.empty())
			{
				fprintf(stderr, "%s\n", problem.c_str());
				return BAD_MAP;
			}
			text += (text.empty() ? "" : "\n") + FormatMapRecord(record);
		}
		fputs(text.c_str(), stdout);
		return 0;
	}

	int List()
	{
		for(const CatalogueEntry &entry : MapCatalogue::Shipped())
			printf("%-12s %-6s sighted %3d%%  full-knowledge %3d%%  %s\n", entry.name.c_str(), entry.grade.c_str(),
				entry.sightedShare, entry.fullShare, entry.code.c_str());
		return 0;
	}

	int Pool(const std::string &grade)
	{
		const std::string data = MapCatalogue::DataOfGrade(grade);
		if(data.empty())
			return BAD_USAGE;
		fputs(data.c_str(), stdout);
		return 0;
	}

	int Daily(const std::string &dateText)
	{
		DailyMap::Date date = DailyMap::Today();
		if(!dateText.empty() && !DailyMap::ParseDate(dateText, date))
		{
			fprintf(stderr, "\"%s\" is no date; write it as YYYY-MM-DD\n", dateText.c_str());
			return BAD_USAGE;
		}
		printf("%s\n", DailyMap::CodeFor(date, MapCatalogue::DailyCodes()).c_str());
		return 0;
	}
}

int main(int argc, char **argv)
{
	if(argc < 2)
		return Usage(argv[0]);
	std::string command = argv[1];
	std::vector<std::string> rest(argv + 2, argv + argc);
	if(command == "--code" && rest.size() <= 1)
		return Code(rest.empty() ? "DATA" : rest[0]);
	if(command == "--decode" && !rest.empty())
		return Decode(rest);
	if(command == "--list" && rest.empty())
		return List();
	if(command == "--pool" && rest.size() == 1 && (rest[0] == "all" || !MapCatalogue::OfGrade(rest[0]).empty()))
		return Pool(rest[0]);
	if(command == "--daily" && rest.size() <= 1)
		return Daily(rest.empty() ? "" : rest[0]);
	return Usage(argv[0]);
}
