#include "engine/Font.h"

#include <cstdio>

Font::Font(const std::string &fileName, int pointSize)
	: fileName(fileName), pointSize(pointSize)
{
}

void Font::Open()
{
	if(!handle)
		handle = TTF_OpenFont(fileName.c_str(), pointSize);
}

void Font::Close()
{
	if(!handle)
		return;
	printf("Free font: %d point %s\n", pointSize, fileName.c_str());
	TTF_CloseFont(handle);
	handle = nullptr;
}
