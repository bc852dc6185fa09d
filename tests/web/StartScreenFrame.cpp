// Saves the start screen as the desktop game draws it once the title has come
// to rest, so the browser test can hold the page against it.
//   vexarift-start-frame OUTPUT.png      (run in the game's folder)
#include "engine/VexaRiftEngine.h"

#include <SDL_image.h>

#include <cstdio>
#include <cstdlib>

namespace {
	// The desktop loop passes about every millisecond; the title glides for
	// two seconds from the first tick.
	const int LAST_PASS_MS = 2500;
}

int main(int argc, char **argv)
{
	if(argc != 2)
	{
		fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
		return 2;
	}
	setenv("SDL_VIDEODRIVER", "dummy", 0);
	int status = 1;
	{
		VexaRiftEngine engine;
		if(engine.Initialise("Vexa Rift", 1280, 720, "Cornerstone Regular.ttf", 24) != 0)
			return 1;
		for(int tick = 0; tick <= LAST_PASS_MS; ++tick)
			engine.RunPass(tick);
		// Without its meaningless alpha byte, the picture is opaque.
		SDL_Surface *opaque = SDL_ConvertSurfaceFormat(engine.frameSurface, SDL_PIXELFORMAT_RGB888, 0);
		if(opaque && IMG_SavePNG(opaque, argv[1]) == 0)
			status = 0;
		else
			fprintf(stderr, "%s: cannot save %s: %s\n", argv[0], argv[1], SDL_GetError());
		SDL_FreeSurface(opaque);
		engine.Deinitialise();
	}
	return status;
}
