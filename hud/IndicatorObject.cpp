#include "hud/IndicatorObject.h"

#include "engine/BaseEngine.h"
#include "engine/ImageData.h"
#include "rules/Virus.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace {
	const int PANEL_WIDTH = 165;
	const int PANEL_HEIGHT = 130;

	const char *const FRAME_FILE = "Indicator.png";
	const int FRAME_OFFSET_Y = 8;

	const int COHERENCE_BAR_X = 10;
	const int STRENGTH_BAR_X = 141;
	const int BAR_Y = 18;
	const int COHERENCE_COLOUR = 0x963E0A;
	const int STRENGTH_COLOUR = 0x9B1A1A;
	const int COHERENCE_MAXIMUM = 150;
	const int STRENGTH_MAXIMUM = 80;

	const int SEGMENT_COUNT = 25;
	const int MIDDLE_SEGMENT = 12;
	// Larger means a flatter arc: the ends sit 17 pixels off the middle.
	const double BOW_DIVISOR = 8.5;
	const int SEGMENT_WIDTH = 14;
	const int SEGMENT_HEIGHT = 3;
	const int SEGMENT_PITCH = 4;
	const int EMPTY_SEGMENT_COLOUR = 0x181614;

	const char *const TEXT_FONT = "riftsans_regular.otf";
	const int TEXT_SIZE = 14;
	const int TEXT_COLOUR = 0xFFFFFF;
	const int NUMBER_X = 76;
	const int COHERENCE_NUMBER_Y = 6;
	const int STRENGTH_NUMBER_Y = 110;
	const int COHERENCE_LABEL_X = 54;
	const int COHERENCE_LABEL_Y = 24;
	const int STRENGTH_LABEL_X = 58;
	const int STRENGTH_LABEL_Y = 92;
	// Room for any int with its sign.
	const int NUMBER_BUFFER_SIZE = 16;

	int BowOffset(int segment)
	{
		return static_cast<int>(std::round(std::pow(segment - MIDDLE_SEGMENT, 2) / BOW_DIVISOR));
	}
}

IndicatorObject::IndicatorObject(BaseEngine *engine, int x, int y, const Virus &virus)
	: DisplayableObject(engine),
	  virus(virus)
{
	this->x = previousX = x;
	this->y = previousY = y;
	width = PANEL_WIDTH;
	height = PANEL_HEIGHT;
	visible = true;
}

int IndicatorObject::GetCoherence() const
{
	return virus.coherence;
}

int IndicatorObject::GetStrength() const
{
	return virus.strength;
}

void IndicatorObject::RulesChanged()
{
	LookChanged();
}

void IndicatorObject::Draw()
{
	const int coherence = virus.coherence;
	const int strength = virus.strength;
	if(!visible)
		return;
	const std::shared_ptr<const ImageData> frame = engine->pictures.Picture(FRAME_FILE);
	frame->RenderImage(engine->frameSurface, 0, 0, x, y + FRAME_OFFSET_Y, frame->GetWidth(), frame->GetHeight());
	DrawBar(x + COHERENCE_BAR_X, y + BAR_Y, false, COHERENCE_COLOUR, coherence, COHERENCE_MAXIMUM);
	DrawBar(x + STRENGTH_BAR_X, y + BAR_Y, true, STRENGTH_COLOUR, strength, STRENGTH_MAXIMUM);
	DrawTexts();
	RememberPosition();
}

void IndicatorObject::DrawTexts()
{
	Font *font = engine->GetFont(TEXT_FONT, TEXT_SIZE);
	char number[NUMBER_BUFFER_SIZE];
	snprintf(number, sizeof(number), "%d", virus.coherence);
	engine->DrawText(x + NUMBER_X, y + COHERENCE_NUMBER_Y, number, TEXT_COLOUR, font, engine->frameSurface);
	engine->DrawText(
		x + COHERENCE_LABEL_X, y + COHERENCE_LABEL_Y, "Coherence", TEXT_COLOUR, font, engine->frameSurface);
	snprintf(number, sizeof(number), "%d", virus.strength);
	engine->DrawText(x + NUMBER_X, y + STRENGTH_NUMBER_Y, number, TEXT_COLOUR, font, engine->frameSurface);
	engine->DrawText(x + STRENGTH_LABEL_X, y + STRENGTH_LABEL_Y, "Strength", TEXT_COLOUR, font, engine->frameSurface);
}

void IndicatorObject::DrawBar(int x0, int y0, bool mirrored, int colour, int value, int maximum)
{
	// Nothing scales against an empty maximum.
	if(maximum == 0)
		return;
	// 64-bit so that wild values cannot overflow; truncation toward zero
	// keeps small negative values from lighting anything.
	const int64_t lit = std::clamp<int64_t>(static_cast<int64_t>(value) * SEGMENT_COUNT / maximum, 0, SEGMENT_COUNT);
	for(int i = 0; i < SEGMENT_COUNT; ++i)
	{
		const int offset = mirrored ? -BowOffset(i) : BowOffset(i);
		const int left = x0 + offset;
		const int top = y0 + SEGMENT_PITCH * i;
		const int segmentColour = i < SEGMENT_COUNT - lit ? EMPTY_SEGMENT_COLOUR : colour;
		engine->FillRectangle(
			left, top, left + SEGMENT_WIDTH - 1, top + SEGMENT_HEIGHT - 1, segmentColour, engine->frameSurface);
	}
}
