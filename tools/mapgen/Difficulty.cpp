#include "tools/mapgen/Difficulty.h"

namespace {
	struct DifficultyInfo {
		Difficulty difficulty;
		const char *name;
		DifficultyBand band;
	};

	// Sighted wins out of 20. The gaps between the bands keep the means
	// apart by well over 15 points whatever the maps in a set.
	const DifficultyInfo DIFFICULTIES[] = {
		{Difficulty::EASY, "easy", {17, 20}},
		{Difficulty::NORMAL, "normal", {8, 15}},
		{Difficulty::HARD, "hard", {1, 6}},
	};

	const DifficultyInfo &InfoOf(Difficulty difficulty)
	{
		for(const DifficultyInfo &info : DIFFICULTIES)
			if(info.difficulty == difficulty)
				return info;
		return DIFFICULTIES[1];
	}
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
