#include "engine/PictureCache.h"

namespace {
	const int AS_DECODED = 0;
}

std::shared_ptr<const ImageData> PictureCache::Picture(const char *fileName)
{
	const Key key(fileName, AS_DECODED);
	if(std::shared_ptr<const ImageData> found = Find(key))
		return found;
	auto decoded = std::make_shared<ImageData>();
	decoded->LoadImage(fileName);
	Add(key, decoded);
	return decoded;
}

std::shared_ptr<const ImageData> PictureCache::Reduced(const char *fileName, int factor)
{
	const Key key(fileName, factor);
	if(std::shared_ptr<const ImageData> found = Find(key))
		return found;
	auto reduced = std::make_shared<ImageData>();
	reduced->ShrinkFrom(*Picture(fileName), factor);
	Add(key, reduced);
	return reduced;
}

void PictureCache::SetKeeping(Keeping keeping)
{
	this->keeping = keeping;
	if(keeping == Keeping::WHILE_HELD)
		kept.clear();
}

void PictureCache::Forget()
{
	known.clear();
	kept.clear();
}

std::shared_ptr<const ImageData> PictureCache::Find(const Key &key) const
{
	const auto found = known.find(key);
	return found == known.end() ? nullptr : found->second.lock();
}

void PictureCache::Add(const Key &key, const std::shared_ptr<const ImageData> &picture)
{
	known[key] = picture;
	if(keeping == Keeping::UNTIL_FORGET)
		kept.push_back(picture);
}
