#ifndef VEXARIFT_ENGINE_FONT_H
#define VEXARIFT_ENGINE_FONT_H

#include <SDL_ttf.h>

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One cached font. The handle stays null while the font library is not yet
// ready or when the file could not be opened; drawing with such a font draws
// nothing. The cache owns every Font and closes it at engine teardown.
//
// The font keeps what it rendered and measured: most texts of a screen are
// the same from frame to frame, and shaping them anew every frame would cost
// more than the rest of the frame. The same string in the same colour always
// renders to the same pixels, so a kept rendering is as good as a new one.
// Texts not asked for in a long while make room for new ones.
class Font {
public:
	Font(const std::string &fileName, int pointSize);

	TTF_Font *GetHandle() const { return handle; }
	const std::string &GetFileName() const { return fileName; }
	int GetPointSize() const { return pointSize; }

	// Tries to open the file if it is not open yet.
	void Open();
	// Closes the handle, printing the "Free font" line if it was open.
	void Close();

	// The text rendered in colour (0xRRGGBB) at full opacity, wrapped at
	// wrapWidth pixels; owned by the font and valid until the font renders
	// or measures another text. Null when the font is not open or the font
	// library fails.
	SDL_Surface *Rendered(const char *text, int colour, int wrapWidth);
	// The size the font library measures for the text on one line; 0 by 0
	// when the font is not open or cannot measure it.
	void Measure(const char *text, int &width, int &height);

private:
	struct SurfaceFree {
		void operator()(SDL_Surface *surface) const { SDL_FreeSurface(surface); }
	};
	struct Rendering {
		int colour;
		int wrapWidth;
		std::unique_ptr<SDL_Surface, SurfaceFree> surface;
	};
	struct KeptText {
		bool measured = false;
		int width = 0;
		int height = 0;
		std::vector<Rendering> renderings;
		uint64_t lastUse = 0;
	};

	// The entry for the text, made room for if new.
	KeptText &Keep(const char *text);

	TTF_Font *handle = nullptr;
	std::string fileName;
	int pointSize;
	std::map<std::string, KeptText, std::less<>> kept;
	uint64_t uses = 0;
};

#endif
