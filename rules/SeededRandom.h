#ifndef VEXARIFT_RULES_SEEDEDRANDOM_H
#define VEXARIFT_RULES_SEEDEDRANDOM_H

#include "rules/RandomSource.h"

#include <cstdint>
#include <random>

// A stream of its own for one simulated game: the same seed gives the same
// game on any machine and whatever else runs beside it. The raw output is
// reduced by modulo, as the game reduces rand(), because the standard
// library's distributions may differ between library versions.
class SeededRandom : public RandomSource {
public:
	explicit SeededRandom(uint32_t seed) : engine(seed) {}
	int Below(int count) override { return static_cast<int>(engine() % static_cast<uint32_t>(count)); }

private:
	std::mt19937 engine;
};

#endif
