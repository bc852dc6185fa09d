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
	motion.Start(lastTime, LEG_DURATION, fromX, fromY, toX, toY);
	x = motion.currentX;
	y = motion.currentY;
}

void MovingVirusObject::Update(int currentTime)
{
	lastTime = currentTime;
	engine->redrawNeeded = 1;
	if(currentTime >= motion.endTime)
	{
		visible = false;
		return;
	}
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
