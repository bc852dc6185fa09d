#ifndef VEXARIFT_TOOLS_MAPGEN_MAPGRADER_H
#define VEXARIFT_TOOLS_MAPGEN_MAPGRADER_H

#include "leveldata/MapRecord.h"
#include "tools/mapgen/Difficulty.h"
#include "tools/player/PlaySession.h"

#include <csignal>
#include <string>

enum class Verdict { ACCEPTED, FAULTY, TOO_EASY, TOO_HARD, FULL_KNOWLEDGE_LOST };

// What grading found out about one candidate: its verdict and the games
// played to reach it. A rejected candidate stops at the first game that
// settles its fate, so its counts may fall short of the full seeds.
struct MapGrade {
	Verdict verdict = Verdict::FAULTY;
	int sightedWins = 0;
	int sightedGames = 0;
	int sightedMoves = 0;
	int fullWins = 0;
	int fullGames = 0;
	int fullMoves = 0;
};

// Decides whether a candidate map belongs to a difficulty. Cheap checks
// first: the map checker's rules, then the sighted player's games, stopped
// as soon as the wins cannot land in the band, then the full-knowledge
// player's, stopped at the second loss.
class MapGrader {
public:
	// assetDirectory is the game's run folder, for the pictures and fonts.
	MapGrader(const std::string &assetDirectory, Difficulty difficulty);

	bool IsReady() const { return session.IsReady(); }
	MapGrade Grade(const MapRecord &map);
	// A flag a signal handler raises: grading stops after the game under
	// way, with the candidate left FAULTY.
	void StopWhen(const volatile std::sig_atomic_t *flag) { stopFlag = flag; }

private:
	bool PlaySighted(const std::string &dataText, MapGrade &grade);
	bool PlayFullKnowledge(const std::string &dataText, MapGrade &grade);

	bool Stopped() const { return stopFlag && *stopFlag; }

	PlaySession session;
	Difficulty difficulty;
	const volatile std::sig_atomic_t *stopFlag = nullptr;
};

#endif
