#ifndef VEXARIFT_TESTS_SUPPORT_IMAGEFILES_H
#define VEXARIFT_TESTS_SUPPORT_IMAGEFILES_H

#include <cstdint>
#include <string>
#include <vector>

// A fresh temporary folder, removed with everything in it at the end.
class TempFolder {
public:
	TempFolder();
	~TempFolder();
	TempFolder(const TempFolder &) = delete;
	TempFolder &operator=(const TempFolder &) = delete;
	std::string Path(const std::string &name) const { return path + "/" + name; }

private:
	std::string path;
};

// Writes a PNG of the given ARGB pixels (row-major). Without alpha the file
// has no alpha channel at all. Returns false if it could not be written.
bool WritePng(const std::string &file, int width, int height, const std::vector<uint32_t> &pixels, bool withAlpha);

#endif
