#ifndef VEXARIFT_TOOLS_PLAYER_IDLESTATE_H
#define VEXARIFT_TOOLS_PLAYER_IDLESTATE_H

#include "screens/GameState.h"

// The screen the benchmark's engine starts on: it paints and creates nothing,
// so the engine is ready without loading the start screen's picture.
class IdleState : public GameState {
public:
	explicit IdleState(VexaRiftEngine *engine);

	void SetupBackground() override;
	int InitialiseObjects() override;
	void MouseDown(int button, int x, int y) override;
	void MouseMoved(int x, int y) override;
	void KeyDown(int keyCode) override;
};

#endif
