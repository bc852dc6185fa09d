#include "leveldata/LevelTileManager.h"

#include "engine/BaseEngine.h"

namespace {

	const int LATTICE_COLOUR = 0x1A211C;
	const int DIAGONAL_THICKNESS = 2;

} // namespace

LevelTileManager::LevelTileManager(int tileHeight, int tileWidth) : TileManager(tileHeight, tileWidth)
{}

bool LevelTileManager::IsNodeTile(int tileColumn, int tileRow)
{
	// The difference keeps the parity test right for negative numbers too.
	return (tileColumn - tileRow) % 2 == 0;
}

void LevelTileManager::GetNodeCentre(int column, int row, int &x, int &y) const
{
	x = 2 * column * tileWidth + (row % 2 != 0 ? tileWidth : 0) + tileWidth / 2;
	y = row * tileHeight + tileHeight / 2;
}

void LevelTileManager::DrawTileAt(BaseEngine *engine, SDL_Surface *target, int, int, int screenX, int screenY)
{
	const int ROW_LINE_THICKNESS = 1;
	engine->DrawThickLine(screenX, screenY + tileHeight / 2, screenX + tileWidth, screenY + tileHeight / 2,
		LATTICE_COLOUR, ROW_LINE_THICKNESS, target);
	if(IsNodeTile(screenX / tileWidth, screenY / tileHeight))
		DrawNodeTile(engine, target, screenX, screenY);
	else
		DrawLinkTile(engine, target, screenX, screenY);
}

void LevelTileManager::DrawNodeTile(BaseEngine *engine, SDL_Surface *target, int left, int top)
{
	const int w = tileWidth;
	const int h = tileHeight;
	// Two strokes along each diagonal, five pixels apart, so every link
	// to a diagonal neighbour shows as a double line.
	engine->DrawThickLine(left + 5, top, left + w - 1, top + h - 6, LATTICE_COLOUR, DIAGONAL_THICKNESS, target);
	engine->DrawThickLine(left, top + 5, left + w - 6, top + h - 1, LATTICE_COLOUR, DIAGONAL_THICKNESS, target);
	engine->DrawThickLine(left, top + h - 6, left + w - 6, top, LATTICE_COLOUR, DIAGONAL_THICKNESS, target);
	engine->DrawThickLine(left + 5, top + h - 1, left + w - 1, top + 5, LATTICE_COLOUR, DIAGONAL_THICKNESS, target);

	// Two small boxes at the centre, hidden under a node's picture and left
	// showing where the map has no node.
	const int BOX_COLOUR = 0x3A483D;
	const int BOX_WIDTH = 6;
	const int BOX_HEIGHT = 10;
	const int BOX_SPACING = 12;
	int boxLeft = left + w / 2 - 10;
	int boxTop = top + h / 2 - 5;
	for(int x : {boxLeft, boxLeft + BOX_SPACING})
		engine->DrawRectangleOutline(target, x, boxTop, x + BOX_WIDTH, boxTop + BOX_HEIGHT, BOX_COLOUR);
}

void LevelTileManager::DrawLinkTile(BaseEngine *engine, SDL_Surface *target, int left, int top)
{
	const int w = tileWidth;
	const int h = tileHeight;
	// The corners of the neighbouring node tiles' diagonals.
	engine->DrawThickLine(left + w - 5, top, left + w - 1, top + 4, LATTICE_COLOUR, DIAGONAL_THICKNESS, target);
	engine->DrawThickLine(left, top + h - 5, left + 5, top + h, LATTICE_COLOUR, DIAGONAL_THICKNESS, target);
	engine->DrawThickLine(left, top + 4, left + 4, top, LATTICE_COLOUR, DIAGONAL_THICKNESS, target);
	engine->DrawThickLine(
		left + w - 5, top + h - 1, left + w - 1, top + h - 5, LATTICE_COLOUR, DIAGONAL_THICKNESS, target);
}
