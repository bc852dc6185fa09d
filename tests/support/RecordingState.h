#ifndef VEXARIFT_TESTS_SUPPORT_RECORDINGSTATE_H
#define VEXARIFT_TESTS_SUPPORT_RECORDINGSTATE_H

#include "engine/DisplayableObject.h"
#include "screens/GameState.h"

#include <SDL.h>

#include <functional>
#include <string>
#include <vector>

// A game state that writes every hook it receives into a shared log as
// "<name>.<hook>", so tests can check what reached which state and in what
// order. Its screen is one object (also logging) and a background colour.
class RecordingState : public GameState {
public:
	RecordingState(VexaRiftEngine *engine, std::vector<std::string> &log, std::string name, int background = 0);
	~RecordingState() override;

	void SetupBackground() override;
	int InitialiseObjects() override;
	void MouseDown(int button, int x, int y) override;
	void MouseMoved(int x, int y) override;
	void KeyDown(int keyCode) override;
	void DrawStrings() override;

	// Called after a key is logged; lets a test make the state act.
	std::function<void(int)> onKey;

private:
	std::vector<std::string> &log;
	std::string name;
	int background;
};

// The object a RecordingState lists: it logs its updates, draws, undraws
// and deletion under the state's name.
class RecordingObject : public DisplayableObject {
public:
	RecordingObject(BaseEngine *engine, std::vector<std::string> &log, std::string name);
	~RecordingObject() override;
	void Update(int currentTime) override;
	void Draw() override;
	void RedrawBackground() override;

private:
	std::vector<std::string> &log;
	std::string name;
};

// Events pushed into the media library's queue, as a player would make them.
void PushKey(Uint32 type, SDL_Keycode key);
void PushMouseButton(Uint32 type, int button, int x, int y);
void PushMouseMotion(int x, int y);
void PushQuit();
// Empties the queue so no event leaks from one test into the next.
void FlushEvents();

#endif
