#include "leveldata/TileManager.h"

TileManager::TileManager(int tileHeight, int tileWidth) : tileHeight(tileHeight), tileWidth(tileWidth)
{}

void TileManager::SetMapSize(int width, int height)
{
	mapWidth = width;
	mapHeight = height;
	tileValues.assign(static_cast<size_t>(width) * height, 0);
}

void TileManager::SetOrigin(int x, int y)
{
	originX = x;
	originY = y;
}

void TileManager::DrawTileRectangle(
	BaseEngine *engine, SDL_Surface *target, int mapX0, int mapY0, int mapX1, int mapY1, int screenX0, int screenY0)
{
	for(int f = 0; mapX0 + f <= mapX1; ++f)
		for(int g = 0; mapY0 + g <= mapY1; ++g)
			DrawTileAt(engine, target, mapX0 + f, mapY0 + g, screenX0 + f * tileWidth, screenY0 + g * tileHeight);
}

void TileManager::DrawMapTile(BaseEngine *engine, SDL_Surface *target, int mapX, int mapY, int screenX, int screenY)
{
	DrawTileAt(engine, target, mapX, mapY, screenX, screenY);
}

void TileManager::DrawTile(BaseEngine *engine, SDL_Surface *target, int mapX, int mapY)
{
	DrawMapTile(engine, target, mapX, mapY, mapX * tileWidth + originX, mapY * tileHeight + originY);
}
