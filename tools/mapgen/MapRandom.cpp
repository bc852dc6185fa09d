#include "tools/mapgen/MapRandom.h"

namespace {
	const uint64_t GOLDEN_GAMMA = 0x9E3779B97F4A7C15ULL;
}

MapRandom::MapRandom(uint32_t seed, uint64_t stream)
	: state((static_cast<uint64_t>(seed) << 32) ^ (stream * GOLDEN_GAMMA) ^ 0x5DEECE66DULL)
{
	// Neighbouring seeds and streams start far apart.
	Next();
	Next();
}

// SplitMix64: small, fast and fully specified, so the maps do not depend
// on the standard library's distributions.
uint64_t MapRandom::Next()
{
	uint64_t z = (state += GOLDEN_GAMMA);
	z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
	z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
	return z ^ (z >> 31);
}

int MapRandom::Below(int bound)
{
	return static_cast<int>(Next() % static_cast<uint64_t>(bound));
}

int MapRandom::Between(int low, int high)
{
	return low + Below(high - low + 1);
}
