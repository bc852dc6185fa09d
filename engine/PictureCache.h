#ifndef VEXARIFT_ENGINE_PICTURECACHE_H
#define VEXARIFT_ENGINE_PICTURECACHE_H

#include "engine/ImageData.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Pictures decoded once and shared. Decoding a picture costs far more than
// drawing it, and the same few files are asked for on every change of a
// node, on every frame and at every change of screen.
//
// A cache that keeps pictures until Forget suits small pictures used all
// through a level. One that keeps them only while held suits the full-screen
// pictures: a screen holds its own while shown, and the memory goes with the
// screen. Whoever holds a picture keeps it past a Forget. A file that cannot
// be decoded gives an empty image, which draws nothing.
class PictureCache {
public:
	enum class Keeping {
		UNTIL_FORGET,
		WHILE_HELD
	};

	explicit PictureCache(Keeping keeping = Keeping::UNTIL_FORGET) : keeping(keeping) {}

	// The file as ImageData::LoadImage decodes it.
	std::shared_ptr<const ImageData> Picture(const char *fileName);
	// The file reduced by factor (1 or more) with ImageData::ShrinkFrom.
	std::shared_ptr<const ImageData> Reduced(const char *fileName, int factor);
	// Programs that change screens thousands of times, like the scripted
	// players, keep everything rather than decode on every visit.
	void SetKeeping(Keeping keeping);
	void Forget();

private:
	// Keyed by file name and reduction; 0 stands for the file as decoded.
	using Key = std::pair<std::string, int>;

	std::shared_ptr<const ImageData> Find(const Key &key) const;
	void Add(const Key &key, const std::shared_ptr<const ImageData> &picture);

	Keeping keeping;
	std::map<Key, std::weak_ptr<const ImageData>> known;
	// What the cache itself holds when keeping until Forget.
	std::vector<std::shared_ptr<const ImageData>> kept;
};

#endif
