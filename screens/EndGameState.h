#ifndef VEXARIFT_SCREENS_ENDGAMESTATE_H
#define VEXARIFT_SCREENS_ENDGAMESTATE_H

#include "engine/ImageData.h"
#include "screens/GameState.h"

#include <memory>

// The screen after a level: the win or lose picture with "Success" or
// "Failure" and the key hints. It has no objects, so nothing asks for a
// redraw after the first frame; Enter starts a fresh level.
class EndGameState : public GameState {
public:
	EndGameState(VexaRiftEngine *engine, bool won);

	void SetupBackground() override;
	int InitialiseObjects() override;
	void MouseDown(int button, int x, int y) override;
	void MouseMoved(int x, int y) override;
	void KeyDown(int keyCode) override;
	void DrawStrings() override;

	bool IsWon() const { return won; }

private:
	bool won;
	// Shared with the engine's screen pictures.
	std::shared_ptr<const ImageData> picture;
};

#endif
