#include "hud/AnimatedTextObject.h"

#include "engine/BaseEngine.h"

namespace {
	const size_t MAX_TEXT_LENGTH = 199;
	const int TEXT_COLOUR = 0xFFFFFF;
	const int SIZE_MARGIN = 5;
}

AnimatedTextObject::AnimatedTextObject(BaseEngine *engine, const char *text, int x, int y, int targetX, int targetY,
	Font *font, int durationMs, bool hideWhenDone)
	: TransientObject(engine),
	  text(std::string(text ? text : "").substr(0, MAX_TEXT_LENGTH)),
	  font(font),
	  targetX(targetX),
	  targetY(targetY),
	  duration(durationMs),
	  hideWhenDone(hideWhenDone)
{
	this->x = previousX = x;
	this->y = previousY = y;
	int textWidth = 0;
	int textHeight = 0;
	if(font)
		font->Measure(this->text.c_str(), textWidth, textHeight);
	width = textWidth + SIZE_MARGIN;
	height = textHeight + SIZE_MARGIN;
	visible = true;
}

void AnimatedTextObject::Update(int currentTime)
{
	lastTime = currentTime;
	if(currentTime < motion.endTime)
	{
		motion.Glide(*this, currentTime);
		engine->redrawNeeded = 1;
		return;
	}
	if(started)
	{
		// At rest: only hiding changes the look.
		if(hideWhenDone && visible)
		{
			visible = false;
			engine->redrawNeeded = 1;
		}
		return;
	}
	motion.Start(currentTime, duration, x, y, targetX, targetY);
	x = motion.currentX;
	y = motion.currentY;
	started = true;
	engine->redrawNeeded = 1;
}

void AnimatedTextObject::Draw()
{
	if(!visible)
		return;
	engine->DrawText(x, y, text.c_str(), TEXT_COLOUR, font, engine->frameSurface);
	RememberPosition();
}
