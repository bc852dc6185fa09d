#ifndef VEXARIFT_TOOLS_MAPGEN_MAPGENERATOR_H
#define VEXARIFT_TOOLS_MAPGEN_MAPGENERATOR_H

#include "leveldata/MapRecord.h"
#include "tools/mapgen/Difficulty.h"

#include <cstdint>

class MapRandom;
class NetworkShape;

// Candidate maps for one difficulty: a network of one of several kinds (an
// open area, branching corridors, a ring with spurs, islands joined through
// single nodes), a start and a System Core some way apart, Defense
// Subsystems guarding the way and elsewhere, items and Data Caches. The
// difficulty sets how much defence and how much help a candidate gets; the
// grader decides whether it really is that hard.
//
// Candidate n of a seed is always the same map.
class MapGenerator {
public:
	MapGenerator(uint32_t seed, Difficulty difficulty);

	MapRecord Candidate(uint64_t index) const;
	// The candidate nudged one step toward its difficulty after it graded
	// too easy (harder) or too hard: a Defense Subsystem more or less on
	// the way to the System Core, or an item less or more. attempt counts
	// the nudges given to this candidate so far; each draws its own dice.
	MapRecord Nudge(const MapRecord &map, uint64_t index, int attempt, bool harder) const;

private:
	NetworkShape Shape(MapRandom &random) const;
	MapRecord Furnish(const NetworkShape &shape, MapRandom &random) const;
	bool Harden(MapRecord &map, MapRandom &random) const;
	bool Soften(MapRecord &map, MapRandom &random) const;

	uint32_t seed;
	Difficulty difficulty;
};

#endif
