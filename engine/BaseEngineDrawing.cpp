// The engine's software drawing primitives and text. Every shape is written
// pixel by pixel into surface memory, clipped pixel by pixel.
#include "engine/BaseEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {
	const double PI = 3.14159265358979323846;
	const double CORNER_ANGLE = 5.0 * PI / 4.0;
	const int TEXT_WRAP_WIDTH = 1000;
	// Far beyond any window: keeps conversions of wild coordinates defined.
	const double COORDINATE_LIMIT = 1e9;

	// Add a half and truncate toward zero, so -0.7 becomes 0, not -1.
	// Callers reject non-finite coordinates before rounding.
	int Round(double value)
	{
		return static_cast<int>(std::max(-COORDINATE_LIMIT, std::min(COORDINATE_LIMIT, value + 0.5)));
	}
}

SDL_Surface *BaseEngine::TargetOrFrame(SDL_Surface *target) const
{
	return target ? target : frameSurface;
}

void BaseEngine::PlotPixel(SDL_Surface *target, int x, int y, int colour) const
{
	// The vertical bound is the window's height; the surface's own height
	// only matters for surfaces smaller than the window.
	if(x < 0 || x >= target->pitch / 4 || y < 0 || y >= height || y >= target->h)
		return;
	static_cast<uint32_t *>(target->pixels)[y * (target->pitch / 4) + x] = static_cast<uint32_t>(colour);
}

// Range of step indices i for which start + i * step can round into
// [0, limit); widened by one step on each side against rounding error.
static void VisibleSteps(double start, double step, int limit, double &from, double &to)
{
	// Round(v) lands in [0, limit) exactly when -1.5 < v < limit - 0.5.
	const double low = -1.5;
	const double high = limit - 0.5;
	if(step == 0.0)
	{
		if(start <= low || start >= high)
			from = 1.0, to = 0.0;
		return;
	}
	double a = (low - start) / step;
	double b = (high - start) / step;
	if(a > b)
		std::swap(a, b);
	from = std::max(from, std::floor(a) - 1.0);
	to = std::min(to, std::ceil(b) + 1.0);
}

void BaseEngine::DrawLine(double x1, double y1, double x2, double y2, int colour, SDL_Surface *target)
{
	target = TargetOrFrame(target);
	if(!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
		return;
	const int64_t steps = std::llabs(static_cast<int64_t>(Round(x2)) - Round(x1))
		+ std::llabs(static_cast<int64_t>(Round(y2)) - Round(y1)) + 2;
	const double stepX = (x2 - x1) / steps;
	const double stepY = (y2 - y1) / steps;
	// Long lines reaching far off the window only visit their visible steps.
	double from = 0.0;
	double to = static_cast<double>(steps);
	VisibleSteps(x1, stepX, target->pitch / 4, from, to);
	VisibleSteps(y1, stepY, std::min(height, target->h), from, to);
	for(int64_t i = static_cast<int64_t>(from); i <= static_cast<int64_t>(to); ++i)
		PlotPixel(target, Round(i * stepX + x1), Round(i * stepY + y1), colour);
}

void BaseEngine::DrawThickLine(double x1, double y1, double x2, double y2, int colour, int thickness, SDL_Surface *target)
{
	if(thickness < 2)
	{
		DrawLine(x1, y1, x2, y2, colour, target);
		return;
	}
	double angle;
	if(x1 == x2)
		angle = (y1 > y2) ? 3.0 * PI / 2.0 : PI / 2.0;
	else
	{
		angle = atan((y2 - y1) / (x2 - x1));
		if(x1 > x2)
			angle += PI;
	}
	const double r = thickness * 0.5;
	const double p1x = x1 + r * cos(angle - CORNER_ANGLE);
	const double p1y = y1 + r * sin(angle - CORNER_ANGLE);
	const double p2x = x1 + r * cos(angle + CORNER_ANGLE);
	const double p2y = y1 + r * sin(angle + CORNER_ANGLE);
	const double p3x = x2 + r * cos(angle + PI - CORNER_ANGLE);
	const double p3y = y2 + r * sin(angle + PI - CORNER_ANGLE);
	const double p4x = x2 + r * cos(angle + PI + CORNER_ANGLE);
	const double p4y = y2 + r * sin(angle + PI + CORNER_ANGLE);
	FillTriangle(p1x, p1y, p2x, p2y, p3x, p3y, colour, target);
	FillTriangle(p3x, p3y, p4x, p4y, p1x, p1y, colour, target);
}

void BaseEngine::DrawRectangleOutline(SDL_Surface *target, int x1, int y1, int x2, int y2, int colour)
{
	DrawLine(x1, y1, x2, y1, colour, target);
	DrawLine(x1, y2, x2, y2, colour, target);
	DrawLine(x1, y1, x1, y2, colour, target);
	DrawLine(x2, y1, x2, y2, colour, target);
}

void BaseEngine::FillRectangle(int x1, int y1, int x2, int y2, int colour, SDL_Surface *target)
{
	target = TargetOrFrame(target);
	if(x2 < x1)
		std::swap(x1, x2);
	if(y2 < y1)
		std::swap(y1, y2);
	// Only the visible part needs visiting; the clip skips the rest anyway.
	x1 = std::max(x1, 0);
	y1 = std::max(y1, 0);
	x2 = std::min(x2, target->pitch / 4 - 1);
	y2 = std::min(y2, height - 1);
	for(int x = x1; x <= x2; ++x)
		for(int y = y1; y <= y2; ++y)
			PlotPixel(target, x, y, colour);
}

void BaseEngine::FillOval(int x1, int y1, int x2, int y2, int colour, SDL_Surface *target)
{
	target = TargetOrFrame(target);
	if(x2 < x1)
		std::swap(x1, x2);
	if(y2 < y1)
		std::swap(y1, y2);
	const double cx = (x1 + x2) * 0.5;
	const double cy = (y1 + y2) * 0.5;
	const double qx = static_cast<double>(x2 - x1) * (x2 - x1) * 0.25;
	const double qy = static_cast<double>(y2 - y1) * (y2 - y1) * 0.25;
	// A flat box gives 0 / 0 here, which fails the test: nothing is plotted.
	for(int x = std::max(x1, 0); x <= std::min(x2, target->pitch / 4 - 1); ++x)
		for(int y = std::max(y1, 0); y <= std::min(y2, height - 1); ++y)
			if((x - cx) * (x - cx) / qx + (y - cy) * (y - cy) / qy <= 1.0)
				PlotPixel(target, x, y, colour);
}

void BaseEngine::FillTriangle(double x1, double y1, double x2, double y2, double x3, double y3, int colour, SDL_Surface *target)
{
	struct Point {
		double x;
		double y;
	};
	for(double v : {x1, y1, x2, y2, x3, y3})
		if(!std::isfinite(v))
			return;
	Point a = {x1, y1};
	Point b = {x2, y2};
	Point c = {x3, y3};
	if(a.x > b.x)
		std::swap(a, b);
	if(b.x > c.x)
		std::swap(b, c);
	if(a.x > b.x)
		std::swap(a, b);

	if(a.x == b.x)
		FillTriangleSlice(a.x, c.x, a.y, c.y, b.y, c.y, colour, target);
	else if(b.x == c.x)
		FillTriangleSlice(a.x, c.x, a.y, b.y, a.y, c.y, colour, target);
	else
	{
		const double middleY = (b.x - a.x) * (c.y - a.y) / (c.x - a.x) + a.y;
		FillTriangleSlice(a.x, b.x, a.y, b.y, a.y, middleY, colour, target);
		FillTriangleSlice(b.x, c.x, b.y, c.y, middleY, c.y, colour, target);
	}
}

void BaseEngine::FillTriangleSlice(double xa, double xb, double ya1, double yb1, double ya2, double yb2, int colour, SDL_Surface *target)
{
	target = TargetOrFrame(target);
	for(double v : {xa, xb, ya1, yb1, ya2, yb2})
		if(!std::isfinite(v))
			return;
	if(xa > xb)
	{
		std::swap(xa, xb);
		std::swap(ya1, yb1);
		std::swap(ya2, yb2);
	}
	auto plotColumn = [&](int x, int from, int to) {
		if(x < 0 || x >= target->pitch / 4)
			return;
		for(int y = std::max(from, 0); y <= std::min(to, height - 1); ++y)
			PlotPixel(target, x, y, colour);
	};

	const int first = Round(xa);
	const int last = Round(xb);
	if(first == last)
	{
		plotColumn(first, Round(ya1), Round(yb1));
		return;
	}
	plotColumn(first, std::min(Round(ya1), Round(ya2)), std::max(Round(ya1), Round(ya2)));
	const int innerFrom = std::max(first + 1, 0);
	const int innerTo = std::min(last - 1, target->pitch / 4 - 1);
	for(int x = innerFrom; x <= innerTo; ++x)
	{
		const double e1 = (yb1 - ya1) * (x - xa) / (xb - xa) + ya1;
		const double e2 = (yb2 - ya2) * (x - xa) / (xb - xa) + ya2;
		plotColumn(x, Round(std::min(e1, e2)), Round(std::max(e1, e2)));
	}
	plotColumn(last, std::min(Round(yb1), Round(yb2)), std::max(Round(yb1), Round(yb2)));
}

Font *BaseEngine::GetFont(const char *fileName, int pointSize)
{
	return fontCache.GetFont(fileName, pointSize);
}

void BaseEngine::DrawText(int x, int y, const char *text, int colour, Font *font, SDL_Surface *target)
{
	target = TargetOrFrame(target);
	if(!font)
		font = defaultFont;
	// Blitting needs the frame unlocked, whatever the target is.
	const bool relock = frameSurfaceLocked && frameSurface && SDL_MUSTLOCK(frameSurface);
	if(relock)
		SDL_UnlockSurface(frameSurface);

	if(font && font->GetHandle() && target && text)
	{
		// This font library multiplies glyph coverage by the colour's alpha,
		// so an alpha of 0 would make every glyph invisible.
		SDL_Color textColour = {
			static_cast<Uint8>((colour >> 16) & 0xFF),
			static_cast<Uint8>((colour >> 8) & 0xFF),
			static_cast<Uint8>(colour & 0xFF),
			0xFF};
		SDL_Surface *rendered = TTF_RenderText_Blended_Wrapped(font->GetHandle(), text, textColour, TEXT_WRAP_WIDTH);
		if(rendered)
		{
			SDL_Rect where = {x, y, 0, 0};
			SDL_UpperBlit(rendered, nullptr, target, &where);
			SDL_FreeSurface(rendered);
		}
	}

	if(relock)
		SDL_LockSurface(frameSurface);
}

int BaseEngine::DrawTextRightAligned(const char *text, Font *font, int colour, int y, int rightMargin)
{
	if(!font)
		font = defaultFont;
	int textWidth = 0;
	int textHeight = 0;
	if(font && font->GetHandle() && TTF_SizeText(font->GetHandle(), text, &textWidth, &textHeight) < 0)
		textWidth = textHeight = 0;
	DrawText(width - textWidth - rightMargin, y, text, colour, font, frameSurface);
	return textHeight;
}
