#ifndef VEXARIFT_ENGINE_PICTURECACHE_H
#define VEXARIFT_ENGINE_PICTURECACHE_H

#include "engine/ImageData.h"

#include <map>
#include <memory>
#include <string>
#include <utility>

// Pictures decoded once and kept until Forget. Decoding a picture costs far
// more than drawing it, and the same few files are asked for on every change
// of a node, on every frame and at every change of screen.
//
// The pictures are shared: whoever holds one keeps it past a Forget. A file
// that cannot be decoded gives an empty image, which draws nothing, and is
// not tried again before the next Forget.
class PictureCache {
public:
	// The file as ImageData::LoadImage decodes it.
	std::shared_ptr<const ImageData> Picture(const char *fileName);
	// The file reduced by factor (1 or more) with ImageData::ShrinkFrom.
	std::shared_ptr<const ImageData> Reduced(const char *fileName, int factor);
	void Forget();

private:
	// Keyed by file name and reduction; 0 stands for the file as decoded.
	std::map<std::pair<std::string, int>, std::shared_ptr<const ImageData>> images;
};

#endif
