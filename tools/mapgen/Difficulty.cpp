#include "tools/mapgen/Difficulty.h"

#include <cmath>

namespace {
	struct DifficultyInfo {
		Difficulty difficulty;
		const char *name;
		DifficultyBand band;
	};

	// Shares of sighted wins: easy 17 to 20 of 20, normal 8 to 15, hard 1
	// to 6. The gaps between the bands keep the means apart by well over 15
	// points whatever the maps in a set.
	const DifficultyInfo DIFFICULTIES[] = {
		{Difficulty::EASY, "easy", {0.85, 1.0}},
		{Difficulty::NORMAL, "normal", {0.40, 0.75}},
		{Difficulty::HARD, "hard", {0.05, 0.30}},
	};

	// Shares such as 0.85 are not exact in binary: a count a hair off the
	// product is the count meant.
	const double COUNT_SLACK = 1e-9;

	const DifficultyInfo &InfoOf(Difficulty difficulty)
	{
		for(const DifficultyInfo &info : DIFFICULTIES)
			if(info.difficulty == difficulty)
				return info;
		return DIFFICULTIES[1];
	}
}

int DifficultyBand::FewestWins(int games) const
{
	return static_cast<int>(std::ceil(fewestShare * games - COUNT_SLACK));
}

int DifficultyBand::MostWins(int games) const
{
	return static_cast<int>(std::floor(mostShare * games + COUNT_SLACK));
}

DifficultyBand BandOf(Difficulty difficulty)
{
	return InfoOf(difficulty).band;
}

const char *NameOf(Difficulty difficulty)
{
	return InfoOf(difficulty).name;
}

bool ParseDifficulty(const std::string &name, Difficulty &difficulty)
{
	for(const DifficultyInfo &info : DIFFICULTIES)
		if(name == info.name)
		{
			difficulty = info.difficulty;
			return true;
		}
	return false;
}
