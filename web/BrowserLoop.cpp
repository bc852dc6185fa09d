#include "web/BrowserLoop.h"

#include "play/LevelGameState.h"

#include <emscripten.h>

#include <cstdlib>

namespace {
	// Let the browser pace the passes by its animation frames.
	const int FRAMES_PER_SECOND = 0;
	const int NEVER_RETURN = 1;
}

BrowserLoop::BrowserLoop(std::unique_ptr<VexaRiftEngine> engine, Shutdown shutdown)
	: engine(std::move(engine)),
	  shutdown(shutdown)
{}

void BrowserLoop::Run(std::unique_ptr<VexaRiftEngine> engine, Shutdown shutdown)
{
	// Lives until the game ends: the frame callback deletes it.
	BrowserLoop *loop = new BrowserLoop(std::move(engine), shutdown);
	LevelGameState::SetObserver(&loop->page);
	emscripten_set_main_loop_arg(Frame, loop, FRAMES_PER_SECOND, NEVER_RETURN);
}

void BrowserLoop::Frame(void *arg)
{
	BrowserLoop *loop = static_cast<BrowserLoop *>(arg);
	if(loop->engine->RunPass(static_cast<int>(SDL_GetTicks())))
	{
		loop->page.ReportScreen(*loop->engine);
		return;
	}
	emscripten_cancel_main_loop();
	LevelGameState::SetObserver(nullptr);
	const int status = loop->shutdown(std::move(loop->engine));
	delete loop;
	exit(status);
}
