#include "engine/ImageData.h"

#include <SDL_image.h>

#include <cstring>

namespace {
	const uint32_t RED_MASK = 0x00FF0000;
	const uint32_t GREEN_MASK = 0x0000FF00;
	const uint32_t BLUE_MASK = 0x000000FF;
	const uint32_t ALPHA_MASK = 0xFF000000;
}

void ImageData::Clear()
{
	width = 0;
	height = 0;
	pixels.clear();
}

bool ImageData::LoadImage(const char *fileName)
{
	Clear();
	SDL_Surface *decoded = IMG_Load(fileName);
	if(!decoded)
		return false;

	SDL_Surface *converted = SDL_CreateRGBSurface(0, decoded->w, decoded->h, 32,
		RED_MASK, GREEN_MASK, BLUE_MASK, ALPHA_MASK);
	if(!converted)
	{
		SDL_FreeSurface(decoded);
		return false;
	}
	SDL_UpperBlit(decoded, nullptr, converted, nullptr);
	SDL_FreeSurface(decoded);

	width = converted->w;
	height = converted->h;
	pixels.resize(static_cast<size_t>(width) * height);
	const uint8_t *row = static_cast<const uint8_t *>(converted->pixels);
	for(int y = 0; y < height; ++y, row += converted->pitch)
		memcpy(&pixels[static_cast<size_t>(y) * width], row, static_cast<size_t>(width) * 4);
	SDL_FreeSurface(converted);
	return true;
}

void ImageData::RenderImage(SDL_Surface *target, int srcX, int srcY, int dstX, int dstY, int width, int height) const
{
	Copy(target, srcX, srcY, dstX, dstY, width, height, false);
}

void ImageData::RenderImageWithMask(SDL_Surface *target, int srcX, int srcY, int dstX, int dstY, int width, int height) const
{
	Copy(target, srcX, srcY, dstX, dstY, width, height, true);
}

void ImageData::Copy(SDL_Surface *target, int srcX, int srcY, int dstX, int dstY, int w, int h, bool masked) const
{
	if(pixels.empty() || !target)
		return;

	// The order of these clips matters: the right and bottom cuts use the
	// width and height already shortened by the left and top ones.
	if(dstX < 0)
	{
		w += dstX;
		srcX -= dstX;
		dstX = 0;
	}
	if(dstX + w >= target->w)
		w = target->w - dstX;
	if(dstY < 0)
	{
		h += dstY;
		srcY -= dstY;
		dstY = 0;
	}
	if(dstY + h >= target->h)
		h = target->h - dstY;
	// Callers pass rectangles inside the image; never read past it anyway.
	if(srcX < 0 || srcY < 0)
		return;
	if(srcX + w > width)
		w = width - srcX;
	if(srcY + h > height)
		h = height - srcY;
	if(h < 1 || w < 1)
		return;

	const uint32_t transparent = pixels.back();
	const int rowLength = target->pitch / 4;
	uint32_t *out = static_cast<uint32_t *>(target->pixels);
	for(int r = 0; r < h; ++r)
		for(int c = 0; c < w; ++c)
		{
			uint32_t value = pixels[static_cast<size_t>(srcY + r) * width + srcX + c];
			if(masked && value == transparent)
				continue;
			out[(dstY + r) * rowLength + dstX + c] = value;
		}
}

void ImageData::ShrinkFrom(const ImageData &source, int factor)
{
	if(&source == this)
	{
		// Shrinking in place: the source must outlive the clearing below.
		const ImageData copy = source;
		ShrinkFrom(copy, factor);
		return;
	}
	Clear();
	if(factor < 1 || source.pixels.empty())
		return;
	width = source.width / factor;
	height = source.height / factor;
	pixels.resize(static_cast<size_t>(width) * height);
	const uint32_t area = static_cast<uint32_t>(factor * factor);
	for(int y = 0; y < height; ++y)
		for(int x = 0; x < width; ++x)
		{
			uint32_t red = 0;
			uint32_t green = 0;
			uint32_t blue = 0;
			for(int dy = 0; dy < factor; ++dy)
				for(int dx = 0; dx < factor; ++dx)
				{
					uint32_t p = source.PixelAt(x * factor + dx, y * factor + dy);
					red += (p & RED_MASK) >> 16;
					green += (p & GREEN_MASK) >> 8;
					blue += p & BLUE_MASK;
				}
			pixels[static_cast<size_t>(y) * width + x] = ((red / area) << 16) | ((green / area) << 8) | (blue / area);
		}
}
