#ifndef VEXARIFT_TOOLS_MAPGEN_MAPGRADER_H
#define VEXARIFT_TOOLS_MAPGEN_MAPGRADER_H

#include "leveldata/MapRecord.h"
#include "tools/mapgen/Difficulty.h"

#include <atomic>

// Moves a grading game may take before it counts as lost.
constexpr int GRADING_MOVE_LIMIT = 200;

enum class Verdict {
	ACCEPTED,
	FAULTY,
	TOO_EASY,
	TOO_HARD,
	FULL_KNOWLEDGE_LOST
};

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
// player's, stopped at the second loss. Every game is played on the rules
// with a random stream of its own seed, so a grade never depends on what
// else is being graded.
class MapGrader {
public:
	explicit MapGrader(Difficulty difficulty);

	MapGrade Grade(const MapRecord &map) const;
	// A flag another thread raises: grading stops after the game under way,
	// with the candidate left FAULTY.
	void StopWhen(const std::atomic<bool> *flag) { stopFlag = flag; }

private:
	bool PlaySighted(const MapRecord &map, MapGrade &grade) const;
	bool PlayFullKnowledge(const MapRecord &map, MapGrade &grade) const;

	bool Stopped() const { return stopFlag && stopFlag->load(std::memory_order_relaxed); }

	Difficulty difficulty;
	const std::atomic<bool> *stopFlag = nullptr;
};

#endif
