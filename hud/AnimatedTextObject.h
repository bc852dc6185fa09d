#ifndef VEXARIFT_HUD_ANIMATEDTEXTOBJECT_H
#define VEXARIFT_HUD_ANIMATEDTEXTOBJECT_H

#include "engine/TransientObject.h"
#include "hud/LinearMotion.h"

#include <string>

class Font;

// A white text that glides in a straight line: the numbers floating off
// nodes and the start screen's title. The motion starts at the first update,
// not at construction, so a text made during a move starts from the next
// tick. At the end it either hides or stays where its last update left it.
class AnimatedTextObject : public TransientObject {
public:
	AnimatedTextObject(BaseEngine *engine, const char *text, int x, int y, int targetX, int targetY, Font *font,
		int durationMs, bool hideWhenDone);

	void Update(int currentTime) override;
	void Draw() override;

	const std::string &GetText() const { return text; }

private:
	std::string text;
	// Borrowed from the engine's font cache.
	Font *font;
	int targetX;
	int targetY;
	int duration;
	LinearMotion motion;
	int lastTime = 0;
	bool started = false;
	bool hideWhenDone;
};

#endif
