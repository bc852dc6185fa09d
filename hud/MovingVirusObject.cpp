#include "hud/MovingVirusObject.h"

#include "engine/BaseEngine.h"

namespace {
	const int START_POSITION = 10;
	const int DISC_SIZE = 20;
	const int COLOUR = 0xA34521;
	const int LEG_DURATION = 500;
	const int WINDOW_BORDER = 10;
}

MovingVirusObject::MovingVirusObject(BaseEngine *engine) : DisplayableObject(engine)
{
	x = previousX = START_POSITION;
	y = previousY = START_POSITION;
	width = height = DISC_SIZE;
	drawOffsetX = drawOffsetY = -(DISC_SIZE / 2);
	visible = true;
}

void MovingVirusObject::StartMove(int fromX, int fromY, int toX, int toY)
{
	// Before its first update a marker has no time of its own: a leg from
	// time 0 would have ended long ago and never show.
	const int startTime = updated ? lastTime : engine->currentTick;
	motion.Start(startTime, LEG_DURATION, fromX, fromY, toX, toY);
	x = motion.currentX;
	y = motion.currentY;
}

void MovingVirusObject::Update(int currentTime)
{
	lastTime = currentTime;
	updated = true;
	if(currentTime >= motion.endTime)
	{
		// A hidden marker asks for nothing until its next leg.
		if(visible)
			engine->redrawNeeded = 1;
		visible = false;
		return;
	}
	engine->redrawNeeded = 1;
	motion.Glide(*this, currentTime);
	ClampToWindow();
}

void MovingVirusObject::ClampToWindow()
{
	if(x < WINDOW_BORDER)
		x = WINDOW_BORDER;
	if(x >= engine->width - WINDOW_BORDER)
		x = engine->width - WINDOW_BORDER;
	if(y >= engine->height - WINDOW_BORDER)
		y = engine->height - WINDOW_BORDER;
	if(y < WINDOW_BORDER)
		y = WINDOW_BORDER;
}

void MovingVirusObject::Draw()
{
	if(!visible)
		return;
	const int halfWidth = width / 2;
	const int halfHeight = height / 2;
	engine->FillOval(
		x - halfWidth, y - halfHeight, x + halfWidth - 1, y + halfHeight - 1, COLOUR, engine->frameSurface);
	RememberPosition();
}
