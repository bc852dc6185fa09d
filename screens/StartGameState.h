#ifndef VEXARIFT_SCREENS_STARTGAMESTATE_H
#define VEXARIFT_SCREENS_STARTGAMESTATE_H

#include "engine/ImageData.h"
#include "screens/GameState.h"

#include <memory>

// The first screen: a picture, the title gliding into place, a credit line
// and the key hints. Its fixed texts are painted into the background once.
// Enter (not the keypad's) starts a level.
class StartGameState : public GameState {
public:
	explicit StartGameState(VexaRiftEngine *engine);

	void SetupBackground() override;
	int InitialiseObjects() override;
	void MouseDown(int button, int x, int y) override;
	void MouseMoved(int x, int y) override;
	void KeyDown(int keyCode) override;

private:
	// Shared with the engine's screen pictures.
	std::shared_ptr<const ImageData> picture;
};

#endif
