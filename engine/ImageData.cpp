#include "engine/ImageData.h"

#include <SDL_image.h>

#include <algorithm>
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
	runs.clear();
	rowRuns.clear();
}

void ImageData::FindRuns() const
{
	runs.clear();
	rowRuns.assign(1, 0);
	const uint32_t transparent = pixels.empty() ? 0 : pixels.back();
	for(int y = 0; y < height; ++y)
	{
		const uint32_t *row = &pixels[static_cast<size_t>(y) * width];
		for(int x = 0; x < width;)
		{
			if(row[x] == transparent)
			{
				++x;
				continue;
			}
			const int start = x;
			while(x < width && row[x] != transparent)
				++x;
			runs.push_back({start, x - start});
		}
		rowRuns.push_back(runs.size());
	}
}

bool ImageData::LoadImage(const char *fileName)
{
	Clear();
	SDL_Surface *decoded = IMG_Load(fileName);
	if(!decoded)
		return false;

	SDL_Surface *converted =
		SDL_CreateRGBSurface(0, decoded->w, decoded->h, 32, RED_MASK, GREEN_MASK, BLUE_MASK, ALPHA_MASK);
	if(!converted)
	{
		SDL_FreeSurface(decoded);
		return false;
	}
	SDL_UpperBlit(decoded, nullptr, converted, nullptr);
	SDL_FreeSurface(decoded);
	CopyPixels(converted);
	SDL_FreeSurface(converted);
	return true;
}

bool ImageData::Holds(uint32_t value) const
{
	return std::find(pixels.begin(), pixels.end(), value) != pixels.end();
}

void ImageData::CopyPixels(const SDL_Surface *surface)
{
	Clear();
	width = surface->w;
	height = surface->h;
	pixels.resize(static_cast<size_t>(width) * height);
	const uint8_t *row = static_cast<const uint8_t *>(surface->pixels);
	for(int y = 0; y < height; ++y, row += surface->pitch)
		memcpy(&pixels[static_cast<size_t>(y) * width], row, static_cast<size_t>(width) * 4);
}

void ImageData::RenderImage(SDL_Surface *target, int srcX, int srcY, int dstX, int dstY, int width, int height) const
{
	Copy(target, srcX, srcY, dstX, dstY, width, height, false);
}

void ImageData::RenderImageWithMask(
	SDL_Surface *target, int srcX, int srcY, int dstX, int dstY, int width, int height) const
{
	Copy(target, srcX, srcY, dstX, dstY, width, height, true);
}

void ImageData::Copy(SDL_Surface *target, int srcX, int srcY, int dstX, int dstY, int w, int h, bool masked) const
{
	if(pixels.empty() || !target)
		return;

	// The order of these clips matters: the right and bottom cuts use the
	// width and height already shortened by the left and top ones. The
	// target's clip rectangle is the whole surface unless a redraw narrowed it.
	const SDL_Rect &clip = target->clip_rect;
	if(dstX < clip.x)
	{
		w -= clip.x - dstX;
		srcX += clip.x - dstX;
		dstX = clip.x;
	}
	if(dstX + w >= clip.x + clip.w)
		w = clip.x + clip.w - dstX;
	if(dstY < clip.y)
	{
		h -= clip.y - dstY;
		srcY += clip.y - dstY;
		dstY = clip.y;
	}
	if(dstY + h >= clip.y + clip.h)
		h = clip.y + clip.h - dstY;
	// Callers pass rectangles inside the image; never read past it anyway.
	if(srcX < 0 || srcY < 0)
		return;
	if(srcX + w > width)
		w = width - srcX;
	if(srcY + h > height)
		h = height - srcY;
	if(h < 1 || w < 1)
		return;

	if(masked && rowRuns.empty())
		FindRuns();
	const int rowLength = target->pitch / 4;
	uint32_t *out = static_cast<uint32_t *>(target->pixels) + static_cast<size_t>(dstY) * rowLength + dstX;
	for(int r = 0; r < h; ++r, out += rowLength)
	{
		const size_t row = static_cast<size_t>(srcY + r);
		const uint32_t *in = &pixels[row * width];
		if(!masked)
		{
			memcpy(out, in + srcX, static_cast<size_t>(w) * 4);
			continue;
		}
		for(size_t i = rowRuns[row]; i < rowRuns[row + 1]; ++i)
		{
			const int from = std::max(runs[i].start, srcX);
			const int to = std::min(runs[i].start + runs[i].length, srcX + w);
			if(from < to)
				memcpy(out + (from - srcX), in + from, static_cast<size_t>(to - from) * 4);
		}
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
