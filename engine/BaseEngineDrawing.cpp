// The engine's software drawing primitives and text. Every shape is written
// pixel by pixel into surface memory, clipped pixel by pixel.
#include "engine/BaseEngine.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

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

	// The pixels of a target that a shape may write, inclusive: a row is
	// pitch / 4 words long, rows stop at the window's height (and at the
	// surface's own, for surfaces smaller than the window), and a narrowed
	// clip rectangle of the surface and the engine's clip area narrow both.
	struct Canvas {
		uint32_t *pixels;
		int rowLength;
		int left;
		int top;
		int right;
		int bottom;

		bool Holds(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
		void Plot(int x, int y, int colour) const
		{
			if(Holds(x, y))
				pixels[y * rowLength + x] = static_cast<uint32_t>(colour);
		}
		// Pixels x1..x2 of row y, both included, as far as they are inside.
		void Row(int y, int x1, int x2, int colour) const
		{
			if(y < top || y > bottom)
				return;
			x1 = std::max(x1, left);
			x2 = std::min(x2, right);
			if(x1 <= x2)
				std::fill(pixels + y * rowLength + x1, pixels + y * rowLength + x2 + 1, static_cast<uint32_t>(colour));
		}
		// Pixels y1..y2 of column x, both included, as far as they are inside.
		void Column(int x, int y1, int y2, int colour) const
		{
			if(x < left || x > right)
				return;
			y1 = std::max(y1, top);
			y2 = std::min(y2, bottom);
			for(uint32_t *p = pixels + y1 * rowLength + x; y1 <= y2; ++y1, p += rowLength)
				*p = static_cast<uint32_t>(colour);
		}
	};

	Canvas CanvasOf(SDL_Surface *target, int windowHeight, const SDL_Rect *clip)
	{
		Canvas canvas = {static_cast<uint32_t *>(target->pixels), target->pitch / 4, 0, 0, target->pitch / 4 - 1,
			std::min(windowHeight, target->h) - 1};
		// Only a narrowed clip rectangle counts: the whole surface's would cut
		// off the row padding, which shapes may write.
		const SDL_Rect &own = target->clip_rect;
		if(own.x != 0 || own.y != 0 || own.w != target->w || own.h != target->h)
		{
			canvas.left = std::max(canvas.left, own.x);
			canvas.top = std::max(canvas.top, own.y);
			canvas.right = std::min(canvas.right, own.x + own.w - 1);
			canvas.bottom = std::min(canvas.bottom, own.y + own.h - 1);
		}
		if(clip)
		{
			canvas.left = std::max(canvas.left, clip->x);
			canvas.top = std::max(canvas.top, clip->y);
			canvas.right = std::min(canvas.right, clip->x + clip->w - 1);
			canvas.bottom = std::min(canvas.bottom, clip->y + clip->h - 1);
		}
		return canvas;
	}

	// Whether the pixel at distance dx from the oval's centre passes the
	// oval test in a row whose own share of the test is rowTerm: exactly the
	// per-pixel test, so the spans match it pixel for pixel.
	bool InsideOval(double dx, double qx, double rowTerm)
	{
		return dx * dx / qx + rowTerm <= 1.0;
	}
}

SDL_Surface *BaseEngine::TargetOrFrame(SDL_Surface *target) const
{
	return target ? target : frameSurface;
}

void BaseEngine::SetClipArea(const SDL_Rect *area)
{
	clipping = area != nullptr;
	if(area)
		clipArea = *area;
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
	const int64_t steps = std::llabs(static_cast<int64_t>(Round(x2)) - Round(x1)) +
		std::llabs(static_cast<int64_t>(Round(y2)) - Round(y1)) + 2;
	const double stepX = (x2 - x1) / steps;
	const double stepY = (y2 - y1) / steps;
	// Long lines reaching far off the window only visit their visible steps.
	double from = 0.0;
	double to = static_cast<double>(steps);
	VisibleSteps(x1, stepX, target->pitch / 4, from, to);
	VisibleSteps(y1, stepY, std::min(height, target->h), from, to);
	const Canvas canvas = CanvasOf(target, height, clipping ? &clipArea : nullptr);
	for(int64_t i = static_cast<int64_t>(from); i <= static_cast<int64_t>(to); ++i)
		canvas.Plot(Round(i * stepX + x1), Round(i * stepY + y1), colour);
}

void BaseEngine::DrawThickLine(
	double x1, double y1, double x2, double y2, int colour, int thickness, SDL_Surface *target)
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
	const Canvas canvas = CanvasOf(target, height, clipping ? &clipArea : nullptr);
	for(int y = std::max(y1, canvas.top); y <= std::min(y2, canvas.bottom); ++y)
		canvas.Row(y, x1, x2, colour);
}

// The oval test of each pixel, (x - cx)^2 / qx + (y - cy)^2 / qy <= 1, gives
// one unbroken span per row, symmetric about cx: the left side only grows
// with the distance from cx, and every step of it (an exact square, one
// rounded division, one rounded sum) keeps that order. So each row needs the
// test only at the span's ends, found from an estimate and checked with the
// very same expression. The differences x - cx and y - cy are exact, so the
// spans depend on the box's size alone and are worked out once per size.
const std::vector<int> &BaseEngine::OvalSpans(int w, int h)
{
	std::vector<int> &rights = ovalSpans[{w, h}];
	if(!rights.empty())
		return rights;
	const double halfW = w * 0.5;
	const double halfH = h * 0.5;
	const double qx = static_cast<double>(w) * w * 0.25;
	const double qy = static_cast<double>(h) * h * 0.25;
	rights.assign(h + 1, -1);
	for(int dy = 0; dy <= h; ++dy)
	{
		const double rowTerm = (dy - halfH) * (dy - halfH) / qy;
		if(rowTerm > 1.0)
			continue;
		int right = std::min(static_cast<int>(std::floor(halfW + std::sqrt((1.0 - rowTerm) * qx))), w);
		while(right >= halfW && !InsideOval(right - halfW, qx, rowTerm))
			--right;
		while(right < w && InsideOval(right + 1 - halfW, qx, rowTerm))
			++right;
		rights[dy] = right >= halfW ? right : -1;
	}
	return rights;
}

void BaseEngine::FillOval(int x1, int y1, int x2, int y2, int colour, SDL_Surface *target)
{
	target = TargetOrFrame(target);
	if(x2 < x1)
		std::swap(x1, x2);
	if(y2 < y1)
		std::swap(y1, y2);
	// A flat box gives 0 / 0 in the test, which fails: nothing is plotted.
	if(x1 == x2 || y1 == y2)
		return;
	const Canvas canvas = CanvasOf(target, height, clipping ? &clipArea : nullptr);
	const int top = std::max(y1, canvas.top);
	const int bottom = std::min(y2, canvas.bottom);
	if(top > bottom)
		return;
	// Each row's span runs from x1 + (w - right) to x1 + right.
	const std::vector<int> &rights = OvalSpans(x2 - x1, y2 - y1);
	for(int y = top; y <= bottom; ++y)
	{
		const int right = rights[y - y1];
		if(right >= 0)
			canvas.Row(y, x2 - right, x1 + right, colour);
	}
}

void BaseEngine::FillTriangle(
	double x1, double y1, double x2, double y2, double x3, double y3, int colour, SDL_Surface *target)
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

void BaseEngine::FillTriangleSlice(
	double xa, double xb, double ya1, double yb1, double ya2, double yb2, int colour, SDL_Surface *target)
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
	const Canvas canvas = CanvasOf(target, height, clipping ? &clipArea : nullptr);
	auto plotColumn = [&](int x, int from, int to) { canvas.Column(x, from, to, colour); };

	const int first = Round(xa);
	const int last = Round(xb);
	if(first == last)
	{
		plotColumn(first, Round(ya1), Round(yb1));
		return;
	}
	plotColumn(first, std::min(Round(ya1), Round(ya2)), std::max(Round(ya1), Round(ya2)));
	const int innerFrom = std::max(first + 1, canvas.left);
	const int innerTo = std::min(last - 1, canvas.right);
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

	SDL_Surface *rendered = font && target && text ? font->Rendered(text, colour, TEXT_WRAP_WIDTH) : nullptr;
	if(rendered)
	{
		SDL_Rect where = {x, y, 0, 0};
		SDL_UpperBlit(rendered, nullptr, target, &where);
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
	if(font && text)
		font->Measure(text, textWidth, textHeight);
	DrawText(width - textWidth - rightMargin, y, text, colour, font, frameSurface);
	return textHeight;
}
