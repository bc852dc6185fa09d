#include "engine/Font.h"

#include <algorithm>
#include <cstdio>

namespace {
	// Far more than one screen shows in one font; a level's numbers come and
	// go, and the oldest make room.
	const size_t KEPT_TEXT_LIMIT = 128;
}

Font::Font(const std::string &fileName, int pointSize) : fileName(fileName), pointSize(pointSize)
{}

void Font::Open()
{
	if(!handle)
		handle = TTF_OpenFont(fileName.c_str(), pointSize);
}

void Font::Close()
{
	kept.clear();
	if(!handle)
		return;
	printf("Free font: %d point %s\n", pointSize, fileName.c_str());
	TTF_CloseFont(handle);
	handle = nullptr;
}

Font::KeptText &Font::Keep(const char *text)
{
	auto found = kept.find(std::string_view(text));
	if(found == kept.end())
	{
		if(kept.size() >= KEPT_TEXT_LIMIT)
			kept.erase(std::min_element(kept.begin(), kept.end(),
				[](const auto &a, const auto &b) { return a.second.lastUse < b.second.lastUse; }));
		found = kept.emplace(text, KeptText()).first;
	}
	found->second.lastUse = ++uses;
	return found->second;
}

SDL_Surface *Font::Rendered(const char *text, int colour, int wrapWidth)
{
	if(!handle)
		return nullptr;
	KeptText &entry = Keep(text);
	for(const Rendering &rendering : entry.renderings)
		if(rendering.colour == colour && rendering.wrapWidth == wrapWidth)
			return rendering.surface.get();
	// This font library multiplies glyph coverage by the colour's alpha, so
	// an alpha of 0 would make every glyph invisible.
	const SDL_Color textColour = {static_cast<Uint8>((colour >> 16) & 0xFF), static_cast<Uint8>((colour >> 8) & 0xFF),
		static_cast<Uint8>(colour & 0xFF), 0xFF};
	SDL_Surface *surface = TTF_RenderText_Blended_Wrapped(handle, text, textColour, wrapWidth);
	if(!surface)
		return nullptr;
	entry.renderings.push_back({colour, wrapWidth, std::unique_ptr<SDL_Surface, SurfaceFree>(surface)});
	return surface;
}

void Font::Measure(const char *text, int &width, int &height)
{
	width = height = 0;
	if(!handle)
		return;
	KeptText &entry = Keep(text);
	if(!entry.measured && TTF_SizeText(handle, text, &entry.width, &entry.height) < 0)
		entry.width = entry.height = 0;
	entry.measured = true;
	width = entry.width;
	height = entry.height;
}
