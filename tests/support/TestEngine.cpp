#include "support/TestEngine.h"

#include <cstdlib>

namespace {
	std::unique_ptr<GameState> MakeQuietState(VexaRiftEngine *engine)
	{
		return std::make_unique<QuietState>(engine);
	}

	// Set before any engine starts SDL, whatever the test runner's environment.
	const bool DUMMY_VIDEO = setenv("SDL_VIDEODRIVER", "dummy", 0) == 0;
}

TestEngine::TestEngine() : VexaRiftEngine(MakeQuietState)
{
	(void)DUMMY_VIDEO;
	Initialise("test", 1280, 720, nullptr, 0);
}

TestEngine::TestEngine(const std::function<std::unique_ptr<GameState>(VexaRiftEngine *)> &makeFirstState)
	: VexaRiftEngine(makeFirstState)
{
	Initialise("test", 1280, 720, nullptr, 0);
}

uint32_t TestEngine::FramePixel(int x, int y) const
{
	return static_cast<uint32_t *>(frameSurface->pixels)[y * (frameSurface->pitch / 4) + x];
}

uint32_t TestEngine::BackgroundPixel(int x, int y) const
{
	return static_cast<uint32_t *>(backgroundSurface->pixels)[y * (backgroundSurface->pitch / 4) + x];
}
