#ifndef VEXARIFT_WEB_BROWSERLOOP_H
#define VEXARIFT_WEB_BROWSERLOOP_H

#include "engine/VexaRiftEngine.h"
#include "web/PageLink.h"

#include <memory>

// The game's loop in a browser page. A page must never block, so instead of
// the desktop's loop the browser calls the same engine pass once per
// animation frame. When the game ends (Esc, or a level that cannot start)
// the engine shuts down as on the desktop and the program exits with its
// status, which the page turns into a message. After each pass the page
// hears of a new screen.
class BrowserLoop {
public:
	// Gives the engine's shutdown its status, as main does on the desktop.
	using Shutdown = int (*)(std::unique_ptr<VexaRiftEngine>);

	// Hands the engine to the browser's frame callback and unwinds to the
	// page's event loop: it does not return.
	static void Run(std::unique_ptr<VexaRiftEngine> engine, Shutdown shutdown);

private:
	BrowserLoop(std::unique_ptr<VexaRiftEngine> engine, Shutdown shutdown);
	static void Frame(void *loop);

	std::unique_ptr<VexaRiftEngine> engine;
	Shutdown shutdown;
	PageLink page;
};

#endif
