#ifndef VEXARIFT_TOOLS_MAPGEN_MAPRANDOM_H
#define VEXARIFT_TOOLS_MAPGEN_MAPRANDOM_H

#include <cstdint>
#include <utility>
#include <vector>

// The generator's own dice. Every candidate map gets a stream of its own,
// made from the set's seed and the candidate's number alone, so the same
// seed gives the same maps on any machine, however many workers grade
// them. The games played to grade them draw from streams of their own.
class MapRandom {
public:
	MapRandom(uint32_t seed, uint64_t stream);

	// 0 .. bound - 1; bound must be positive.
	int Below(int bound);
	// low .. high, both included.
	int Between(int low, int high);
	bool OneIn(int n) { return Below(n) == 0; }

	template<typename T> const T &Pick(const std::vector<T> &from)
	{
		return from[Below(static_cast<int>(from.size()))];
	}
	template<typename T> void Shuffle(std::vector<T> &items)
	{
		for(int i = static_cast<int>(items.size()) - 1; i > 0; --i)
			std::swap(items[i], items[Below(i + 1)]);
	}

private:
	uint64_t Next();

	uint64_t state;
};

#endif
