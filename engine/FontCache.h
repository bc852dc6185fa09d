#ifndef VEXARIFT_ENGINE_FONTCACHE_H
#define VEXARIFT_ENGINE_FONTCACHE_H

#include "engine/Font.h"

#include <memory>
#include <vector>

// Opens each (file, point size) pair once and keeps it for the engine's
// life. Fonts asked for before the font library is ready are recorded and
// opened together by OpenAllFonts, so objects built before Initialise can
// already hold their fonts.
class FontCache {
public:
	FontCache();
	~FontCache();

	FontCache(const FontCache &) = delete;
	FontCache &operator=(const FontCache &) = delete;

	// Never null; the pointer stays valid until FreeAllFonts.
	Font *GetFont(const char *fileName, int pointSize);
	void OpenAllFonts();
	void FreeAllFonts();

	int Count() const { return static_cast<int>(fonts.size()); }
	// Slots reserved: starts at 20 and grows by 10.
	int Capacity() const { return capacity; }
	bool IsReady() const { return ready; }

private:
	std::vector<std::unique_ptr<Font>> fonts;
	int capacity;
	bool ready = false;
};

#endif
