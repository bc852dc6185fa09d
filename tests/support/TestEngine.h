#ifndef VEXARIFT_TESTS_SUPPORT_TESTENGINE_H
#define VEXARIFT_TESTS_SUPPORT_TESTENGINE_H

#include "engine/VexaRiftEngine.h"
#include "screens/GameState.h"

#include <functional>
#include <memory>

// A state that does nothing, for tests that need an engine but no screen.
class QuietState : public GameState {
public:
	explicit QuietState(VexaRiftEngine *engine) : GameState(engine) {}
	void SetupBackground() override {}
	int InitialiseObjects() override { return 0; }
	void MouseDown(int, int, int) override {}
	void MouseMoved(int, int) override {}
	void KeyDown(int) override {}
};

// An initialised engine with a 1280 x 720 window under SDL's dummy video
// driver, starting on a QuietState. Tests drive it through its hooks and by
// setting currentTick; nothing sleeps.
class TestEngine : public VexaRiftEngine {
public:
	TestEngine();
	// Starts on the state the factory makes instead of a QuietState.
	explicit TestEngine(const std::function<std::unique_ptr<GameState>(VexaRiftEngine *)> &makeFirstState);
	// Runs one loop pass at the given tick (events, tick, redraw).
	bool PassAt(int tick) { return RunPass(tick); }
	uint32_t FramePixel(int x, int y) const;
	uint32_t BackgroundPixel(int x, int y) const;
};

#endif
