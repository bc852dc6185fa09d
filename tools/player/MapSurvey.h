#ifndef VEXARIFT_TOOLS_PLAYER_MAPSURVEY_H
#define VEXARIFT_TOOLS_PLAYER_MAPSURVEY_H

#include "leveldata/MapRecord.h"
#include "tools/player/LevelView.h"

#include <cstdio>
#include <string>
#include <vector>

// One map of a DATA file as the survey plays it: where its "MAP" line is,
// the record as the loader read it, and why it is not played when it must
// not be.
struct SurveyedMap {
	int line = 0;
	MapRecord record;
	// Empty for a map the player may try.
	std::string refusal;
};

struct MapWinRate {
	int line = 0;
	int wins = 0;
	int games = 0;
	// Over every game, won or not.
	int moves = 0;
	std::string refusal;

	double AverageMoves() const { return games ? static_cast<double>(moves) / games : 0; }
};

// How often the scripted player wins each map of a DATA file, each map
// played alone under the seeds 1..N.
//
// A map is refused rather than played when the game itself would be unable
// to play it: a record the loader drops, no System Core, a start on an
// EMPTY position, or a start whose part of the network holds no System Core.
// The last one matters beyond winning: the game ends the whole process
// ("No path") when a decryption finds no objective, and in the part that
// holds the System Core that can never happen before the level is won.
class MapSurvey {
public:
	explicit MapSurvey(const std::string &fileText);

	const std::vector<SurveyedMap> &Maps() const { return maps; }
	// The trace, when given, gets every move of every game.
	MapWinRate Play(const SurveyedMap &map, int seeds, int moveLimit, Sight sight = Sight::FULL_KNOWLEDGE,
		FILE *trace = nullptr) const;
	// "map at line 1: won 9/10", or the reason it was not played.
	static std::string Describe(const MapWinRate &rate);
	// The map author's line, the sighted player's rate first:
	// "map at line 1: won 14/20 in 31.5 moves; full-knowledge won 20/20 in 22.0 moves".
	static std::string DescribeBoth(const MapWinRate &sighted, const MapWinRate &fullKnowledge);

private:
	std::vector<SurveyedMap> maps;
};

#endif
