#ifndef VEXARIFT_TESTS_SUPPORT_PIXELSURFACE_H
#define VEXARIFT_TESTS_SUPPORT_PIXELSURFACE_H

#include <SDL.h>

#include <cstdint>
#include <set>
#include <utility>

using Pixel = std::pair<int, int>;
using PixelSet = std::set<Pixel>;

// Every pixel of the inclusive rectangle (x1, y1)-(x2, y2).
PixelSet RectPixels(int x1, int y1, int x2, int y2);

// A 64-bit FNV-1a hash of a 32-bit surface's pixels, row by row without the
// pitch's padding: two frames hash alike only if no pixel moved.
uint64_t SurfaceHash(const SDL_Surface *surface);

// A small ARGB8888 surface to hand to a drawing operation as its target,
// so a test can check exactly which pixels were written.
class PixelSurface {
public:
	PixelSurface(int width, int height, uint32_t fill = 0);
	~PixelSurface();
	PixelSurface(const PixelSurface &) = delete;
	PixelSurface &operator=(const PixelSurface &) = delete;

	SDL_Surface *Get() const { return surface; }
	uint32_t At(int x, int y) const;
	void Set(int x, int y, uint32_t value);
	void Fill(uint32_t value);
	// The positions holding exactly this value.
	PixelSet PixelsOf(uint32_t value) const;
	bool SameAs(const PixelSurface &other) const;

private:
	SDL_Surface *surface;
};

#endif
