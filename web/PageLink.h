#ifndef VEXARIFT_WEB_PAGELINK_H
#define VEXARIFT_WEB_PAGELINK_H

class VexaRiftEngine;

// What the game and its page tell each other beside the canvas. A touch
// player has no Enter key, so the page shows a button that gives the game
// one, labelled after the screen: the game tells the page each screen it
// changes to, and the button's press reaches the game through SDL's event
// queue, as a key of the keyboard would.
class PageLink {
public:
	enum class Screen {
		NONE,
		START,
		LEVEL,
		END
	};

	// Tells the page when the engine's screen differs from the last one told.
	void ReportScreen(const VexaRiftEngine &engine);

	// Queues an Enter press and its release.
	static void PressEnter();

private:
	Screen told = Screen::NONE;
};

#endif
