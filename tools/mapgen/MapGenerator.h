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

private:
	NetworkShape Shape(MapRandom &random) const;
	MapRecord Furnish(const NetworkShape &shape, MapRandom &random) const;

	uint32_t seed;
	Difficulty difficulty;
};

#endif
