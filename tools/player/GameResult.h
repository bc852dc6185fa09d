#ifndef VEXARIFT_TOOLS_PLAYER_GAMERESULT_H
#define VEXARIFT_TOOLS_PLAYER_GAMERESULT_H

#include <cstdio>

enum class GameOutcome { WON, LOST, STUCK };

// How one scripted game ended, whichever player played it.
struct GameResult {
	GameOutcome outcome = GameOutcome::STUCK;
	int moves = 0;
	FILE *trace = nullptr;
	// The virus's coherence after the last move, read before the end screen
	// takes over.
	int coherence = 0;
};

#endif
