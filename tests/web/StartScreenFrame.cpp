// Saves the start screen as the desktop game draws it once the title has come
// to rest, so the browser test can hold the page against it; with a second
// file, also the level that Enter then sets up from DATA, the pointer resting
// on the given frame point so the node's description shows.
//   vexarift-start-frame START.png [LEVEL.png X Y]      (run in the game's folder)
#include "engine/VexaRiftEngine.h"

#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>

namespace {
	// The desktop loop passes about every millisecond; the title glides for
	// two seconds from the first tick.
	const int LAST_PASS_MS = 2500;
	// A level is set up at the next tick after Enter; its pulses start only
	// with a move, so its frame stands still after that.
	const int LEVEL_PASSES_MS = 500;

	bool Save(VexaRiftEngine &engine, const char *program, const char *file)
	{
		// Without its meaningless alpha byte, the picture is opaque.
		SDL_Surface *opaque = SDL_ConvertSurfaceFormat(engine.frameSurface, SDL_PIXELFORMAT_RGB888, 0);
		const bool saved = opaque && IMG_SavePNG(opaque, file) == 0;
		if(!saved)
			fprintf(stderr, "%s: cannot save %s: %s\n", program, file, SDL_GetError());
		SDL_FreeSurface(opaque);
		return saved;
	}
}

int main(int argc, char **argv)
{
	if(argc != 2 && argc != 5)
	{
		fprintf(stderr, "usage: %s START.png [LEVEL.png X Y]\n", argv[0]);
		return 2;
	}
	setenv("SDL_VIDEODRIVER", "dummy", 0);
	int status = 1;
	{
		VexaRiftEngine engine;
		if(engine.Initialise("Vexa Rift", 1280, 720, "Cornerstone Regular.ttf", 24) != 0)
			return 1;
		int tick = 0;
		for(; tick <= LAST_PASS_MS; ++tick)
			engine.RunPass(tick);
		bool saved = Save(engine, argv[0], argv[1]);
		if(saved && argc == 5)
		{
			engine.KeyDown(SDLK_RETURN);
			for(const int end = tick + LEVEL_PASSES_MS; tick <= end; ++tick)
				engine.RunPass(tick);
			engine.MouseMoved(atoi(argv[3]), atoi(argv[4]));
			for(const int end = tick + LEVEL_PASSES_MS; tick <= end; ++tick)
				engine.RunPass(tick);
			saved = Save(engine, argv[0], argv[2]);
		}
		status = saved ? 0 : 1;
		engine.Deinitialise();
	}
	return status;
}
