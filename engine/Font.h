#ifndef VEXARIFT_ENGINE_FONT_H
#define VEXARIFT_ENGINE_FONT_H

#include <SDL_ttf.h>

#include <string>

// One cached font. The handle stays null while the font library is not yet
// ready or when the file could not be opened; drawing with such a font draws
// nothing. The cache owns every Font and closes it at engine teardown.
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

private:
	TTF_Font *handle = nullptr;
	std::string fileName;
	int pointSize;
};

#endif
