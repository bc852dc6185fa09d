#ifndef VEXARIFT_ENGINE_IMAGEDATA_H
#define VEXARIFT_ENGINE_IMAGEDATA_H

#include <SDL.h>

#include <cstdint>
#include <vector>

// A decoded picture as a plain array of ARGB8888 pixels, row-major. The image
// library only decodes; copying, masking and shrinking work on the array.
//
// A masked copy treats the bottom-right pixel, alpha included, as the
// transparent colour, so artwork keeps its background colour there. An image
// without pixels (never loaded, or whose load failed) draws nothing.
//
// Each row's runs of pixels that differ from the transparent colour are
// found at the first masked copy, and kept with the pixels, so masked copies
// copy runs instead of testing every pixel on every draw. Pictures only ever
// copied whole, such as the full-screen ones, never look for runs.
class ImageData {
public:
	// False when the file cannot be decoded; the image is then empty.
	bool LoadImage(const char *fileName);
	void RenderImage(SDL_Surface *target, int srcX, int srcY, int dstX, int dstY, int width, int height) const;
	void RenderImageWithMask(SDL_Surface *target, int srcX, int srcY, int dstX, int dstY, int width, int height) const;
	// A copy of source reduced by factor in each direction, each pixel the
	// average of its block with alpha 0.
	void ShrinkFrom(const ImageData &source, int factor);
	// Replaces the contents with the pixels of a 32-bit ARGB8888 surface.
	void CopyPixels(const SDL_Surface *surface);

	int GetWidth() const { return width; }
	int GetHeight() const { return height; }
	bool IsEmpty() const { return pixels.empty(); }
	uint32_t PixelAt(int x, int y) const { return pixels[y * width + x]; }
	// Whether any pixel holds exactly this value, alpha included.
	bool Holds(uint32_t value) const;

private:
	// A run of pixels of one row: its first column and its length.
	struct Run {
		int start;
		int length;
	};

	void Copy(SDL_Surface *target, int srcX, int srcY, int dstX, int dstY, int width, int height, bool masked) const;
	void Clear();
	void FindRuns() const;

	int width = 0;
	int height = 0;
	std::vector<uint32_t> pixels;
	// The runs of row y are runs[rowRuns[y]] up to runs[rowRuns[y + 1]];
	// both empty until the first masked copy needs them.
	mutable std::vector<Run> runs;
	mutable std::vector<size_t> rowRuns;
};

#endif
