#ifndef VEXARIFT_LEVELDATA_TILEMANAGER_H
#define VEXARIFT_LEVELDATA_TILEMANAGER_H

#include <SDL.h>

#include <vector>

class BaseEngine;

// A screen cut into equal tiles, and the painting of a rectangle of them.
// Subclasses decide what one tile looks like in DrawTileAt.
//
// tileValues is kept sized to the map (all zero) for subclasses that want a
// value per tile; the level's lattice is the same on every tile and needs
// none.
class TileManager {
public:
	TileManager(int tileHeight, int tileWidth);
	// Virtual so that a subclass deleted through a base pointer is cleaned
	// up whole.
	virtual ~TileManager() = default;

	// Replaces tileValues with a zero-filled map of this size.
	void SetMapSize(int width, int height);
	void SetOrigin(int x, int y);

	int GetTileWidth() const { return tileWidth; }
	int GetTileHeight() const { return tileHeight; }
	int GetOriginX() const { return originX; }
	int GetOriginY() const { return originY; }
	int GetMapWidth() const { return mapWidth; }
	int GetMapHeight() const { return mapHeight; }

	// Paints the inclusive rectangle of map tiles, column by column, with
	// the first tile's top-left corner at (screenX0, screenY0). An inverted
	// rectangle paints nothing.
	void DrawTileRectangle(BaseEngine *engine, SDL_Surface *target, int mapX0, int mapY0, int mapX1, int mapY1,
		int screenX0, int screenY0);

	// One tile with its top-left corner at (screenX, screenY).
	virtual void DrawTileAt(BaseEngine *engine, SDL_Surface *target, int mapX, int mapY, int screenX, int screenY) = 0;
	virtual void DrawMapTile(BaseEngine *engine, SDL_Surface *target, int mapX, int mapY, int screenX, int screenY);
	// One tile at its own place on the screen, from the origin.
	virtual void DrawTile(BaseEngine *engine, SDL_Surface *target, int mapX, int mapY);

protected:
	std::vector<int> tileValues;
	int mapWidth = 0;
	int mapHeight = 0;
	int originX = 0;
	int originY = 0;
	int tileHeight;
	int tileWidth;
};

#endif
