#ifndef VEXARIFT_TOOLS_PLAYER_RULESGAME_H
#define VEXARIFT_TOOLS_PLAYER_RULESGAME_H

#include "rules/LevelRules.h"
#include "rules/SeededRandom.h"
#include "tools/player/GameResult.h"
#include "tools/player/PlayedGame.h"

#include <cstdio>

class MapRecord;

// One game on the rules alone, with a random stream of its own drawn from
// the seed: nothing is drawn, loaded or written, so games are cheap and
// any number can run side by side.
class RulesGame : public PlayedGame {
public:
	RulesGame(const MapRecord &map, unsigned seed, Sight sight);

	LevelView Look() const override;
	void ClickNode(GridPosition position) override;
	void ClickSlot(int slot) override;
	bool Ended() const override { return rules.HasEnded(); }
	bool Won() const override { return rules.GetOutcome() == LevelOutcome::WON; }

private:
	SeededRandom random;
	LevelRules rules{random};
	Sight sight;
	// Whose hints are on show.
	MoveReport lastMove;
};

// The scripted player's game on the map under the seed: the same seed
// gives the same game, for hunches and for chances alike. The trace, when
// given, gets a line for every move.
GameResult PlayOnRules(const MapRecord &map, unsigned seed, int moveLimit, Sight sight, FILE *trace = nullptr);

#endif
