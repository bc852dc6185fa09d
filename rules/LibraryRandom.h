#ifndef VEXARIFT_RULES_LIBRARYRANDOM_H
#define VEXARIFT_RULES_LIBRARYRANDOM_H

#include "rules/RandomSource.h"

#include <cstdlib>

// The C library's one generator, reduced as rand() % count: the game's own
// source, shared with everything else in the game that draws from rand().
class LibraryRandom : public RandomSource {
public:
	int Below(int count) override { return rand() % count; }
};

#endif
