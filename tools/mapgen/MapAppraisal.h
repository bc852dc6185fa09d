#ifndef VEXARIFT_TOOLS_MAPGEN_MAPAPPRAISAL_H
#define VEXARIFT_TOOLS_MAPGEN_MAPAPPRAISAL_H

#include "leveldata/MapRecord.h"
#include "tools/mapgen/Difficulty.h"

#include <string>

// A map author's map graded in full, as the map editor shows it: every
// sighted seed and every full-knowledge seed played, so both win shares are
// whole, and the difficulty whose band the sighted share lies in. The
// generator's grader stops early because it only asks "this band or not";
// an author asks "which band, and how far from the next".
//
// One game at a time, so a page can drop the grading between two games
// when the map changes under it.
class MapAppraisal {
public:
	static constexpr int GAMES = SIGHTED_SEEDS + FULL_KNOWLEDGE_SEEDS;

	// A map the map checker turns away is done at once, with no games.
	explicit MapAppraisal(const MapRecord &map);

	// Plays the next game; false once every game is played.
	bool PlayNext();

	bool Done() const { return faulty || played == GAMES; }
	bool Faulty() const { return faulty; }
	int GamesPlayed() const { return played; }
	int SightedWins() const { return sightedWins; }
	int FullWins() const { return fullWins; }

	// Once done: "easy", "normal" or "hard", or why the map fits none, in
	// the order the generator rejects: the sighted share first.
	std::string Grade() const;

private:
	MapRecord map;
	bool faulty;
	int played = 0;
	int sightedWins = 0;
	int fullWins = 0;
};

#endif
