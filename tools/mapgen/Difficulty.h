#ifndef VEXARIFT_TOOLS_MAPGEN_DIFFICULTY_H
#define VEXARIFT_TOOLS_MAPGEN_DIFFICULTY_H

#include <string>

enum class Difficulty {
	EASY,
	NORMAL,
	HARD
};

// A map's difficulty is the share of games the sighted player, who sees
// only what a person sees, wins over SIGHTED_SEEDS seeds. A map belongs to
// a difficulty when that share lies within its band; every band asks for
// some wins, so no map is impossible.
struct DifficultyBand {
	double fewestShare;
	double mostShare;

	// The same band as win counts over games played.
	int FewestWins(int games) const;
	int MostWins(int games) const;
};

constexpr int SIGHTED_SEEDS = 100;
// And whoever knows the map must win it nearly always.
constexpr int FULL_KNOWLEDGE_SEEDS = 10;
constexpr int FULL_KNOWLEDGE_WINS = 9;

DifficultyBand BandOf(Difficulty difficulty);
const char *NameOf(Difficulty difficulty);
// False for anything but "easy", "normal" and "hard".
bool ParseDifficulty(const std::string &name, Difficulty &difficulty);

#endif
