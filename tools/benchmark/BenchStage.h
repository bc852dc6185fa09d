#ifndef VEXARIFT_TOOLS_BENCHMARK_BENCHSTAGE_H
#define VEXARIFT_TOOLS_BENCHMARK_BENCHSTAGE_H

#include <memory>
#include <string>

class LevelGameState;
class VexaRiftEngine;

// Where the frame cases run: a temporary folder that links the run folder's
// pictures and fonts and holds the busiest level's DATA, the working
// directory for the stage's life, and one engine on the video driver the
// environment chooses, started on a screen that paints and creates nothing.
//
// Game time is the stage's own: every pass runs 10 ms after the one before,
// so each pass is exactly one tick and a redraw, as in the game.
class BenchStage {
public:
	explicit BenchStage(const std::string &runFolder);
	~BenchStage();
	BenchStage(const BenchStage &) = delete;
	BenchStage &operator=(const BenchStage &) = delete;

	// False when the folder or the engine could not be set up.
	bool IsReady() const { return engine != nullptr; }
	VexaRiftEngine &Engine() const { return *engine; }

	// A new level on the busiest map, taken over in one pass.
	LevelGameState *StartBusiestLevel();
	// Back to the screen with nothing on it, taken over in one pass.
	void ShowBareScreen();
	// One pass of the main loop at the next tick: events, tick, redraw.
	void Pass();
	// The window at another size, taken over in one pass; the frame is
	// scaled into it.
	void ResizeWindow(int width, int height);

private:
	bool LinkRunFolder(const std::string &runFolder);

	std::string folder;
	std::string previousFolder;
	std::unique_ptr<VexaRiftEngine> engine;
	int tick = 0;
};

#endif
