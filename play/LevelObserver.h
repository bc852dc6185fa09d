#ifndef VEXARIFT_PLAY_LEVELOBSERVER_H
#define VEXARIFT_PLAY_LEVELOBSERVER_H

#include <string>

// What a level tells someone beyond its screen: which map it set up and how
// it ended. The browser page keeps a player's record and shares the map
// from these; nothing of it reaches the frame or the console.
class LevelObserver {
public:
	struct Map {
		// The map's place among the maps read from DATA, from 0, and how
		// many were read.
		int place;
		int count;
		// The map as its code.
		std::string code;
	};

	struct Result {
		bool won;
		// The virus's as the level ended.
		int coherence;
		int strength;
		// Clicks that were moves; using a slot is none.
		int moves;
	};

	virtual ~LevelObserver() = default;

	virtual void MapSetUp(const Map &map) = 0;
	// Once for each level that is won or lost; a restart ends none.
	virtual void LevelEnded(const Result &result) = 0;
};

#endif
