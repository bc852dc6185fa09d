#ifndef VEXARIFT_PLAY_LEVELMAKER_H
#define VEXARIFT_PLAY_LEVELMAKER_H

#include <memory>

class LevelGameState;
class MapRecord;
class RandomSource;
class VexaRiftEngine;

// Where each level's map comes from, as the game has always chosen it: DATA
// read afresh from the working directory, LastRun shown and renewed, one
// record drawn from the random source, and the level observer told which.
// The start and end screens make each level here, and the level asks for
// its map when it takes over and again at every restart with Enter, when
// the game has always read DATA. The level itself only plays the map it is
// given.
class LevelMaker {
public:
	// Null when DATA holds no map.
	static std::unique_ptr<MapRecord> PickMap(RandomSource &random);
	// A level whose every start picks its map here, with the game's own
	// source, rand().
	static LevelGameState *MakeLevel(VexaRiftEngine *engine);
};

#endif
