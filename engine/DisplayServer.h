#ifndef VEXARIFT_ENGINE_DISPLAYSERVER_H
#define VEXARIFT_ENGINE_DISPLAYSERVER_H

#include <SDL.h>

// What the engine must know of the display server under SDL's window. Only
// an X server has anything to say; on every other video driver (the dummy
// driver of the tests, a browser canvas) both calls do nothing.
//
// The X11 part is built only where CMake found Xlib (VEXARIFT_X11), so a
// build without X links no X library.
class DisplayServer {
public:
	// From now on, a lost connection to the X server ends the process at
	// once with status 1 and one line on standard error. Xlib's own handler
	// calls exit, whose atexit functions (SDL_Quit) talk to the dead server
	// again and spin for ever. Call after SDL's video driver has started.
	static void EndGameWhenLost();

	// True when OpenGL on this window's display can only be a software
	// rasteriser: an X server that offers no direct rendering (no DRI3, DRI2
	// or NVIDIA GLX, as under Xvfb, Xvnc or Xephyr), a connection that is
	// not local, or Mesa told to render in software.
	static bool HasOnlySoftwareOpenGL(SDL_Window *window);
};

#endif
