#include "engine/VexaRiftEngine.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {
	const int WINDOW_WIDTH = 1280;
	const int WINDOW_HEIGHT = 720;
	const char *const DEFAULT_FONT = "Cornerstone Regular.ttf";
	const int DEFAULT_FONT_SIZE = 24;
}

int main(int, char **)
{
	// No SDL_main entry on this platform: tell the library main is ready.
	SDL_SetMainReady();
	// Console lines go out whole and in order, also into a pipe or a file.
	setvbuf(stdout, nullptr, _IOLBF, 0);
	srand(static_cast<unsigned>(time(nullptr)));
	int result = 0;
	{
		VexaRiftEngine engine;
		char title[1024];
		snprintf(title, sizeof(title), "Vexa Rift - Ardo Venkell, %dx%d", WINDOW_WIDTH, WINDOW_HEIGHT);
		if(engine.Initialise(title, WINDOW_WIDTH, WINDOW_HEIGHT, DEFAULT_FONT, DEFAULT_FONT_SIZE) != 0)
			return 1;
		result = engine.MainLoop();
		// A level that cannot start ends the game with its own status.
		if(engine.exitCode > 0)
			result = engine.exitCode;
		engine.Deinitialise();
	}
	return result;
}
