#include "tools/player/MapSurvey.h"

#include "leveldata/MapAnalysis.h"
#include "leveldata/MapLoader.h"
#include "tools/player/RulesGame.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

namespace {
	bool Holds(const std::vector<GridPosition> &positions, GridPosition wanted)
	{
		return std::find(positions.begin(), positions.end(), wanted) != positions.end();
	}

	// Faults elsewhere in the map (a second System Core, a stray part with
	// nothing in it) do not stop a game that starts where the core is.
	std::string RefusalFor(const MapRecord &map)
	{
		for(const MapFinding &finding : FindMapFaults(map))
			switch(finding.fault)
			{
			case NO_SYSTEM_CORE:
				return "no System Core";
			case START_ON_EMPTY:
				return "starts on an EMPTY position";
			case CORE_UNREACHABLE:
				return "the System Core cannot be reached from the start";
			case PART_WITHOUT_OBJECTIVE:
				if(Holds(finding.positions, map.GetStart()))
					return "the start's part of the network has nothing to find";
				break;
			case SEVERAL_SYSTEM_CORES:
				break;
			}
		return "";
	}

	// Collects the records in file order, the dropped ones included so the
	// survey can name them.
	class SurveyListener : public MapFileListener {
	public:
		void MapRead(int mapLine, std::unique_ptr<MapRecord> record) override
		{
			refusals[mapLine] = RefusalFor(*record);
			records[mapLine] = *record;
		}
		void UnknownLine(int, const std::string &) override {}
		void UnknownType(int, int, const std::string &) override {}
		void ShortRow(int, int) override {}
		void MapEndsEarly(int mapLine) override
		{
			refusals[mapLine] = "cut short by the end of the file; the game skips it";
		}
		void StartOutsideGrid(int mapLine, GridPosition) override
		{
			refusals[mapLine] = "starts outside the grid; the game skips it";
		}

		std::map<int, std::string> refusals;
		std::map<int, MapRecord> records;
	};
}

MapSurvey::MapSurvey(const std::string &fileText)
{
	SurveyListener listener;
	std::istringstream in(fileText);
	ReadMapFile(in, listener);
	for(const auto &[line, refusal] : listener.refusals)
	{
		SurveyedMap map;
		map.line = line;
		map.refusal = refusal;
		map.record = listener.records[line];
		maps.push_back(map);
	}
}

MapWinRate MapSurvey::Play(const SurveyedMap &map, int seeds, int moveLimit, Sight sight, FILE *trace) const
{
	MapWinRate rate;
	rate.line = map.line;
	rate.refusal = map.refusal;
	if(!rate.refusal.empty())
		return rate;
	for(int seed = 1; seed <= seeds; ++seed)
	{
		const GameResult result = PlayOnRules(map.record, seed, moveLimit, sight, trace);
		++rate.games;
		rate.wins += result.outcome == GameOutcome::WON;
		rate.moves += result.moves;
	}
	return rate;
}

std::string MapSurvey::Describe(const MapWinRate &rate)
{
	const std::string head = "map at line " + std::to_string(rate.line) + ": ";
	if(!rate.refusal.empty())
		return head + "not played, " + rate.refusal;
	return head + "won " + std::to_string(rate.wins) + "/" + std::to_string(rate.games);
}

std::string MapSurvey::DescribeBoth(const MapWinRate &sighted, const MapWinRate &fullKnowledge)
{
	if(!sighted.refusal.empty())
		return Describe(sighted);
	char text[160];
	snprintf(text, sizeof(text), "map at line %d: won %d/%d in %.1f moves; full-knowledge won %d/%d in %.1f moves",
		sighted.line, sighted.wins, sighted.games, sighted.AverageMoves(), fullKnowledge.wins, fullKnowledge.games,
		fullKnowledge.AverageMoves());
	return text;
}
