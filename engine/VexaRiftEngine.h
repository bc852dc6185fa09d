#ifndef VEXARIFT_ENGINE_VEXARIFTENGINE_H
#define VEXARIFT_ENGINE_VEXARIFTENGINE_H

#include "engine/BaseEngine.h"

#include <functional>
#include <memory>

class GameState;

// The game's engine: a 10 ms tick, and a current game state that receives
// input and drawing hooks. A new state waits as pending until the next due
// tick, so the switch never happens in the middle of a pass or a handler.
class VexaRiftEngine : public BaseEngine {
public:
	// Creates the start screen as the first state.
	VexaRiftEngine();
	// Starts on the state the factory makes instead; used by tests.
	explicit VexaRiftEngine(const std::function<std::unique_ptr<GameState>(VexaRiftEngine *)> &makeFirstState);
	~VexaRiftEngine() override;

	// Takes ownership; a state already pending is deleted. Null leaves
	// nothing pending.
	void SetNextState(GameState *state);

	GameState *GetCurrentState() const { return currentState.get(); }
	GameState *GetPendingState() const { return pendingState.get(); }

	void KeyDown(int keyCode) override;
	void MouseMoved(int x, int y) override;
	void MouseDown(int button, int x, int y) override;
	int InitialiseObjects() override;
	void SetupBackground() override;
	void GameAction() override;
	void DrawStrings() override;
	SDL_Rect StringsArea() const override;

private:
	std::unique_ptr<GameState> currentState;
	std::unique_ptr<GameState> pendingState;
};

#endif
