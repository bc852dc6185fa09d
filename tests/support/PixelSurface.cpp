#include "support/PixelSurface.h"

#include <cstring>
#include <stdexcept>

PixelSet RectPixels(int x1, int y1, int x2, int y2)
{
	PixelSet pixels;
	for(int x = x1; x <= x2; ++x)
		for(int y = y1; y <= y2; ++y)
			pixels.insert({x, y});
	return pixels;
}

uint64_t SurfaceHash(const SDL_Surface *surface)
{
	uint64_t hash = 0xcbf29ce484222325ULL;
	for(int y = 0; y < surface->h; ++y)
	{
		const uint8_t *row = static_cast<const uint8_t *>(surface->pixels) + y * surface->pitch;
		for(int i = 0; i < surface->w * 4; ++i)
			hash = (hash ^ row[i]) * 0x100000001b3ULL;
	}
	return hash;
}

PixelSurface::PixelSurface(int width, int height, uint32_t fill)
	: surface(SDL_CreateRGBSurface(0, width, height, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000))
{
	if(!surface)
		throw std::runtime_error(SDL_GetError());
	Fill(fill);
}

PixelSurface::~PixelSurface()
{
	SDL_FreeSurface(surface);
}

uint32_t PixelSurface::At(int x, int y) const
{
	return static_cast<const uint32_t *>(surface->pixels)[y * (surface->pitch / 4) + x];
}

void PixelSurface::Set(int x, int y, uint32_t value)
{
	static_cast<uint32_t *>(surface->pixels)[y * (surface->pitch / 4) + x] = value;
}

void PixelSurface::Fill(uint32_t value)
{
	for(int y = 0; y < surface->h; ++y)
		for(int x = 0; x < surface->w; ++x)
			Set(x, y, value);
}

PixelSet PixelSurface::PixelsOf(uint32_t value) const
{
	PixelSet pixels;
	for(int y = 0; y < surface->h; ++y)
		for(int x = 0; x < surface->w; ++x)
			if(At(x, y) == value)
				pixels.insert({x, y});
	return pixels;
}

bool PixelSurface::SameAs(const PixelSurface &other) const
{
	if(surface->w != other.surface->w || surface->h != other.surface->h)
		return false;
	for(int y = 0; y < surface->h; ++y)
		for(int x = 0; x < surface->w; ++x)
			if(At(x, y) != other.At(x, y))
				return false;
	return true;
}
