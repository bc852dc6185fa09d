#include "engine/PictureCache.h"

namespace {
	const int AS_DECODED = 0;
}

std::shared_ptr<const ImageData> PictureCache::Picture(const char *fileName)
{
	std::shared_ptr<const ImageData> &kept = images[{fileName, AS_DECODED}];
	if(!kept)
	{
		auto decoded = std::make_shared<ImageData>();
		decoded->LoadImage(fileName);
		kept = std::move(decoded);
	}
	return kept;
}

std::shared_ptr<const ImageData> PictureCache::Reduced(const char *fileName, int factor)
{
	std::shared_ptr<const ImageData> &kept = images[{fileName, factor}];
	if(!kept)
	{
		auto reduced = std::make_shared<ImageData>();
		reduced->ShrinkFrom(*Picture(fileName), factor);
		kept = std::move(reduced);
	}
	return kept;
}

void PictureCache::Forget()
{
	images.clear();
}
