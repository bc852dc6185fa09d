#include "support/ImageFiles.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

TempFolder::TempFolder()
{
	std::string pattern = (std::filesystem::temp_directory_path() / "vexarift-test-XXXXXX").string();
	if(!mkdtemp(pattern.data()))
		throw std::runtime_error("cannot make a temporary folder");
	path = pattern;
}

TempFolder::~TempFolder()
{
	std::error_code ignored;
	std::filesystem::remove_all(path, ignored);
}

bool WritePng(const std::string &file, int width, int height, const std::vector<uint32_t> &pixels, bool withAlpha)
{
	SDL_Surface *surface = withAlpha ? SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888)
									 : SDL_CreateRGBSurfaceWithFormat(0, width, height, 24, SDL_PIXELFORMAT_RGB24);
	if(!surface)
		return false;
	SDL_Surface *source = SDL_CreateRGBSurfaceWithFormatFrom(
		const_cast<uint32_t *>(pixels.data()), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
	SDL_SetSurfaceBlendMode(source, SDL_BLENDMODE_NONE);
	SDL_BlitSurface(source, nullptr, surface, nullptr);
	SDL_FreeSurface(source);
	const bool written = IMG_SavePNG(surface, file.c_str()) == 0;
	SDL_FreeSurface(surface);
	return written;
}
