#ifndef VEXARIFT_SCREENS_GAMESTATE_H
#define VEXARIFT_SCREENS_GAMESTATE_H

#include <SDL.h>

class VexaRiftEngine;

// One screen of the game: it paints the background, creates the screen's
// displayable objects, reacts to input and draws its per-frame texts.
//
// A state never replaces itself: it hands its successor to the engine's
// SetNextState, and the engine switches at its next tick, outside every pass
// over the object list, so no handler runs on a deleted state. A state never
// deletes displayable objects; the engine's object list owns them.
class GameState {
public:
	explicit GameState(VexaRiftEngine *engine);
	virtual ~GameState() = default;

	GameState(const GameState &) = delete;
	GameState &operator=(const GameState &) = delete;

	virtual void SetupBackground() = 0;
	virtual int InitialiseObjects() = 0;
	virtual void MouseDown(int button, int x, int y) = 0;
	virtual void MouseMoved(int x, int y) = 0;
	virtual void KeyDown(int keyCode) = 0;
	virtual void DrawStrings();
	// Where DrawStrings writes, restoring it first; by default the whole
	// frame. A state whose texts change says so with the engine's
	// StringsChanged; a redraw rewrites them wherever it repaints.
	virtual SDL_Rect StringsArea() const;

	VexaRiftEngine *GetEngine() const { return engine; }

private:
	// Borrowed: the engine owns the state.
	VexaRiftEngine *engine;
};

#endif
