#ifndef VEXARIFT_ENGINE_VIDEOSTART_H
#define VEXARIFT_ENGINE_VIDEOSTART_H

#include <string>

// Starts SDL's video on a driver that shows a window. Where no display
// answers, SDL would fall back to its offscreen driver, and the game would
// play unseen and hold a core until killed. A driver the player names in
// SDL_VIDEODRIVER (the tests' dummy among them) is used as asked.
class VideoStart {
public:
	// SDL_Init(SDL_INIT_VIDEO), tried once more after a moment when no
	// display answers: an X server that is starting or resetting refuses
	// connections for a moment. On failure returns false with what to tell
	// the player in `why`.
	static bool Start(std::string &why);
};

#endif
