#include "engine/FontCache.h"

#include <cstdio>
#include <cstring>

namespace {
	const int INITIAL_CAPACITY = 20;
	const int CAPACITY_STEP = 10;
}

FontCache::FontCache() : capacity(INITIAL_CAPACITY)
{
	fonts.reserve(capacity);
}

FontCache::~FontCache()
{
	FreeAllFonts();
}

Font *FontCache::GetFont(const char *fileName, int pointSize)
{
	for(const auto &font : fonts)
		if(font->GetPointSize() == pointSize && font->GetFileName() == fileName)
			return font.get();

	if(Count() + 1 > capacity)
	{
		capacity += CAPACITY_STEP;
		fonts.reserve(capacity);
	}
	printf("Loading font: %d point %s\n", pointSize, fileName);
	fonts.push_back(std::make_unique<Font>(fileName, pointSize));
	Font *font = fonts.back().get();
	if(ready)
		font->Open();
	if(!font->GetHandle())
		printf("Font loading failed.\n");
	return font;
}

void FontCache::OpenAllFonts()
{
	ready = true;
	for(const auto &font : fonts)
		font->Open();
}

void FontCache::FreeAllFonts()
{
	for(const auto &font : fonts)
		font->Close();
	fonts.clear();
}
