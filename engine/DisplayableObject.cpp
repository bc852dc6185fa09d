#include "engine/DisplayableObject.h"

#include "engine/BaseEngine.h"

#include <cstdint>

namespace {
	const uint32_t MISSING_DRAWING_COLOUR = 0xFF00FF;
}

DisplayableObject::DisplayableObject(BaseEngine *engine) : engine(engine)
{}

void DisplayableObject::Draw()
{
	SDL_Surface *frame = engine->frameSurface;
	int rowLength = frame->pitch / 4;
	uint32_t *pixels = static_cast<uint32_t *>(frame->pixels);
	int left = x + drawOffsetX;
	int top = y + drawOffsetY;
	for(int px = left; px < left + width; ++px)
		for(int py = top; py < top + height; ++py)
			if(px >= 0 && px < rowLength && py >= 0 && py < engine->height)
				pixels[py * rowLength + px] = MISSING_DRAWING_COLOUR;
	RememberPosition();
}

void DisplayableObject::RedrawBackground()
{
	engine->CopyBackgroundArea(previousX + drawOffsetX, previousY + drawOffsetY, width, height);
}

void DisplayableObject::Update(int)
{}

void DisplayableObject::RememberPosition()
{
	previousX = x;
	previousY = y;
}
