#ifndef VEXARIFT_TOOLS_PLAYER_GAMERESULT_H
#define VEXARIFT_TOOLS_PLAYER_GAMERESULT_H

enum class GameOutcome {
	WON,
	LOST,
	STUCK
};

// How one scripted game ended, whichever player played it.
struct GameResult {
	GameOutcome outcome = GameOutcome::STUCK;
	int moves = 0;
	// The virus's coherence after the last move.
	int coherence = 0;
};

#endif
