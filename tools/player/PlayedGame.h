#ifndef VEXARIFT_TOOLS_PLAYER_PLAYEDGAME_H
#define VEXARIFT_TOOLS_PLAYER_PLAYEDGAME_H

#include "leveldata/GridPosition.h"
#include "tools/player/LevelView.h"

// A level as a scripted player meets it: a view of it, and clicks on its
// nodes and item slots. The player is handed only this, so what it knows
// is what the view shows.
class PlayedGame {
public:
	virtual ~PlayedGame() = default;

	// What the player is shown now; after the move that ended the game, the
	// level as that move left it.
	virtual LevelView Look() const = 0;
	virtual void ClickNode(GridPosition position) = 0;
	virtual void ClickSlot(int slot) = 0;
	virtual bool Ended() const = 0;
	virtual bool Won() const = 0;
};

#endif
