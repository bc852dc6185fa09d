#ifndef VEXARIFT_TOOLS_PLAYER_LEVELWINDOW_H
#define VEXARIFT_TOOLS_PLAYER_LEVELWINDOW_H

#include "tools/player/LevelView.h"

class LevelGameState;
class VexaRiftEngine;

// The sighted player's only way into a game: it looks at the screen and
// clicks the mouse. Look copies what a person sees into a LevelView; a
// node's type is read only once the node is revealed, so nothing hidden
// ever reaches the player. Clicks go through the engine's own MouseDown.
//
// The level must be the engine's current state when the window is made;
// once a tick has handed over to the end screen, the level is gone and
// only Ended and Won may be asked.
class LevelWindow {
public:
	LevelWindow(VexaRiftEngine *engine, const LevelGameState *level);

	LevelView Look() const;
	void LeftClick(int x, int y);
	// One tick at the next due time: animations move on and a requested end
	// screen takes over.
	void Tick();
	bool Ended() const;
	// "Success" on the end screen.
	bool Won() const;

private:
	VexaRiftEngine *engine;
	const LevelGameState *level;
};

#endif
