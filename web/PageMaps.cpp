#include "web/PageMaps.h"

#include "catalogue/DailyMap.h"
#include "catalogue/MapCatalogue.h"
#include "leveldata/MapCode.h"
#include "leveldata/MapLoader.h"

#include <emscripten.h>

#include <cstdio>

namespace {
	const std::string MAP_PREFIX = "map=";

	std::string Quoted(const std::string &text)
	{
		std::string quoted = "\"";
		for(char c : text)
		{
			if(c == '"' || c == '\\')
				quoted += std::string("\\") + c;
			else if(c == '\n')
				quoted += "\\n";
			else if(static_cast<unsigned char>(c) < 0x20)
			{
				char escaped[8];
				snprintf(escaped, sizeof(escaped), "\\u%04x", c);
				quoted += escaped;
			}
			else
				quoted += c;
		}
		return quoted + "\"";
	}

	std::string Problem(const std::string &line)
	{
		return "{\"problem\":" + Quoted(line) + "}";
	}

	std::string Pool(const std::string &grade)
	{
		const std::string data = MapCatalogue::DataOfGrade(grade);
		if(data.empty())
			return Problem("no maps are called \"" + grade + "\"");
		return "{\"pool\":" + Quoted(grade) + ",\"data\":" + Quoted(data) + "}";
	}

	std::string Daily()
	{
		const DailyMap::Date today = DailyMap::Today();
		const std::string &code = DailyMap::CodeFor(today, MapCatalogue::DailyCodes());
		return "{\"pool\":\"daily\",\"date\":" + Quoted(DailyMap::FormatDate(today)) +
			",\"day\":" + std::to_string(DailyMap::DayNumber(today)) + ",\"code\":" + Quoted(code) +
			",\"data\":" + Quoted(MapCatalogue::DataOf({code})) + "}";
	}

	std::string OfCode(const std::string &code)
	{
		MapRecord record;
		const std::string problem = MapCode::Decode(code, record);
		if(!problem.empty())
			return Problem(problem);
		return "{\"pool\":\"map\",\"code\":" + Quoted(code) + ",\"data\":" + Quoted(FormatMapRecord(record)) + "}";
	}
}

std::string PageMaps::Choose(const std::string &choice)
{
	if(choice == "daily")
		return Daily();
	if(choice.compare(0, MAP_PREFIX.size(), MAP_PREFIX) == 0)
		return OfCode(choice.substr(MAP_PREFIX.size()));
	if(choice == "all" || choice == "easy" || choice == "normal" || choice == "hard")
		return Pool(choice);
	return Problem("there is no choice called \"" + choice + "\"");
}

// The page calls this as Module.ccall('ChooseMaps', 'string', ['string'],
// [choice]); the text lasts until the next call.
extern "C" EMSCRIPTEN_KEEPALIVE const char *ChooseMaps(const char *choice)
{
	static std::string answer;
	answer = PageMaps::Choose(choice);
	return answer.c_str();
}
