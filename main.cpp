#include "engine/VexaRiftEngine.h"

#ifdef __EMSCRIPTEN__
#include "web/BrowserLoop.h"
#endif

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

namespace {
	const int WINDOW_WIDTH = 1280;
	const int WINDOW_HEIGHT = 720;
	const char *const DEFAULT_FONT = "Cornerstone Regular.ttf";
	const int DEFAULT_FONT_SIZE = 24;
#ifdef __GLIBC__
	// Blocks this large get mappings of their own, given back when freed.
	const int OWN_MAPPING_BYTES = 128 * 1024;
#endif

	// Shuts the stopped game down and gives the program's status: a level
	// that cannot start ends the game with its own.
	int Shutdown(std::unique_ptr<VexaRiftEngine> engine)
	{
		const int status = engine->exitCode > 0 ? engine->exitCode : 0;
		engine->Deinitialise();
		return status;
	}
}

int main(int, char **)
{
	// No SDL_main entry on this platform: tell the library main is ready.
	SDL_SetMainReady();
	// Console lines go out whole and in order, also into a pipe or a file.
	setvbuf(stdout, nullptr, _IOLBF, 0);
	srand(static_cast<unsigned>(time(nullptr)));
#ifdef __GLIBC__
	// Full-screen pictures and surfaces come and go with screens and levels.
	// By default glibc raises its threshold past the first one freed, and the
	// later ones then fragment the heap and stay resident, 10 MB and more.
	mallopt(M_MMAP_THRESHOLD, OWN_MAPPING_BYTES);
#endif
	auto engine = std::make_unique<VexaRiftEngine>();
	char title[1024];
	snprintf(title, sizeof(title), "Vexa Rift - Ardo Venkell, %dx%d", WINDOW_WIDTH, WINDOW_HEIGHT);
	if(engine->Initialise(title, WINDOW_WIDTH, WINDOW_HEIGHT, DEFAULT_FONT, DEFAULT_FONT_SIZE) != 0)
		return 1;
#ifdef __EMSCRIPTEN__
	// A page must not block: the browser runs the passes from here on.
	BrowserLoop::Run(std::move(engine), Shutdown);
	return 0;
#else
	engine->MainLoop();
	return Shutdown(std::move(engine));
#endif
}
