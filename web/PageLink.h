#ifndef VEXARIFT_WEB_PAGELINK_H
#define VEXARIFT_WEB_PAGELINK_H

#include "play/LevelObserver.h"

class VexaRiftEngine;

// What the game and its page tell each other beside the canvas. A touch
// player has no Enter key, so the page shows a button that gives the game
// one, labelled after the screen: the game tells the page each screen it
// changes to, and the button's press reaches the game through SDL's event
// queue, as a key of the keyboard would. The page keeps the player's record
// and shares the map played, so each level tells it the map it set up and
// how it ended.
class PageLink : public LevelObserver {
public:
	enum class Screen {
		NONE,
		START,
		LEVEL,
		END
	};

	// Tells the page when the engine's screen differs from the last one told.
	void ReportScreen(const VexaRiftEngine &engine);

	void MapSetUp(const Map &map) override;
	void LevelEnded(const Result &result) override;

	// Queues an Enter press and its release.
	static void PressEnter();

private:
	Screen told = Screen::NONE;
};

#endif
