#include "engine/DisplayableObject.h"

#include "engine/BaseEngine.h"

#include <algorithm>
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
	const SDL_Rect &clip = frame->clip_rect;
	const int left = std::max({x + drawOffsetX, 0, clip.x});
	const int top = std::max({y + drawOffsetY, 0, clip.y});
	const int right = std::min({x + drawOffsetX + width, rowLength, clip.x + clip.w});
	const int bottom = std::min({y + drawOffsetY + height, engine->height, clip.y + clip.h});
	for(int px = left; px < right; ++px)
		for(int py = top; py < bottom; ++py)
			pixels[py * rowLength + px] = MISSING_DRAWING_COLOUR;
	RememberPosition();
}

void DisplayableObject::RedrawBackground()
{
	const SDL_Rect area = UndrawArea();
	engine->CopyBackgroundArea(area.x, area.y, area.w, area.h);
}

void DisplayableObject::LookChanged()
{
	engine->LookChanged(*this);
}

SDL_Rect DisplayableObject::DrawArea() const
{
	return {x + drawOffsetX, y + drawOffsetY, width, height};
}

SDL_Rect DisplayableObject::UndrawArea() const
{
	return {previousX + drawOffsetX, previousY + drawOffsetY, width, height};
}

void DisplayableObject::Update(int)
{}

void DisplayableObject::RememberPosition()
{
	previousX = x;
	previousY = y;
}
