#include "hud/CursorObject.h"

#include "engine/BaseEngine.h"

namespace {
	// The 64-pixel square plus a spare column and row: the background
	// restore covers 32 pixels either side of the centre.
	const int COVER_SIZE = 65;
	const int COLOUR = 0xFFFFFF;
	const int STROKE_NEAR = 10;
	const int STROKE_FAR = 15;
	const int STROKE_THICKNESS = 2;
}

CursorObject::CursorObject(BaseEngine *engine) : DisplayableObject(engine)
{
	x = previousX = 0;
	y = previousY = 0;
	width = height = COVER_SIZE;
	drawOffsetX = -(COVER_SIZE / 2);
	drawOffsetY = -(COVER_SIZE / 2);
	visible = true;
}

void CursorObject::MoveTo(int x, int y)
{
	previousX = this->x;
	previousY = this->y;
	this->x = x;
	this->y = y;
	engine->redrawNeeded = 1;
}

void CursorObject::Draw()
{
	if(!visible)
		return;
	const int halfWidth = width / 2;
	const int halfHeight = height / 2;
	const int left = x - halfWidth;
	const int top = y - halfHeight;
	const int right = x + halfWidth - 1;
	const int bottom = y + halfHeight - 1;
	SDL_Surface *frame = engine->frameSurface;
	engine->DrawRectangleOutline(frame, left, top, right, bottom, COLOUR);
	// Each stroke points from its corner toward the centre.
	engine->DrawThickLine(
		left + STROKE_NEAR, top + STROKE_NEAR, left + STROKE_FAR, top + STROKE_FAR, COLOUR, STROKE_THICKNESS, frame);
	engine->DrawThickLine(right - STROKE_FAR, bottom - STROKE_FAR, right - STROKE_NEAR, bottom - STROKE_NEAR, COLOUR,
		STROKE_THICKNESS, frame);
	engine->DrawThickLine(left + STROKE_NEAR, bottom - STROKE_NEAR, left + STROKE_FAR, bottom - STROKE_FAR, COLOUR,
		STROKE_THICKNESS, frame);
	engine->DrawThickLine(
		right - STROKE_FAR, top + STROKE_FAR, right - STROKE_NEAR, top + STROKE_NEAR, COLOUR, STROKE_THICKNESS, frame);
	RememberPosition();
}
