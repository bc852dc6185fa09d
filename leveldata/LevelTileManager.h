#ifndef VEXARIFT_LEVELDATA_LEVELTILEMANAGER_H
#define VEXARIFT_LEVELDATA_LEVELTILEMANAGER_H

#include "leveldata/TileManager.h"

// The level screen's tiles: nodes stand on every other tile, odd rows one
// tile further right, and each tile paints its share of the dark lattice
// the network is drawn over. Node tiles get the diagonals towards their
// four diagonal neighbours and two small boxes that show at EMPTY
// positions; the tiles between them get the ends of those diagonals.
class LevelTileManager : public TileManager {
public:
	LevelTileManager(int tileHeight, int tileWidth);

	// A node sits where the tile column and row have the same parity.
	static bool IsNodeTile(int tileColumn, int tileRow);

	// The screen centre of grid position (column, row), origin not added.
	void GetNodeCentre(int column, int row, int &x, int &y) const;

	// Decides node tile or not from the screen position, not from mapX and
	// mapY, so the lattice follows where the tile is actually painted.
	void DrawTileAt(BaseEngine *engine, SDL_Surface *target, int mapX, int mapY, int screenX, int screenY) override;

private:
	void DrawNodeTile(BaseEngine *engine, SDL_Surface *target, int left, int top);
	void DrawLinkTile(BaseEngine *engine, SDL_Surface *target, int left, int top);
};

#endif
