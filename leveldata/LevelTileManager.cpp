#include "leveldata/LevelTileManager.h"

#include "engine/BaseEngine.h"

namespace {

const int kLatticeColour = 0x1A211C;
const int kDiagonalThickness = 2;

} // namespace

LevelTileManager::LevelTileManager(int tileHeight, int tileWidth) : TileManager(tileHeight, tileWidth) {}

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
	const int kRowLineThickness = 1;
	engine->DrawThickLine(screenX, screenY + tileHeight / 2, screenX + tileWidth, screenY + tileHeight / 2,
		kLatticeColour, kRowLineThickness, target);
	if (IsNodeTile(screenX / tileWidth, screenY / tileHeight))
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
	engine->DrawThickLine(left + 5, top, left + w - 1, top + h - 6, kLatticeColour, kDiagonalThickness, target);
	engine->DrawThickLine(left, top + 5, left + w - 6, top + h - 1, kLatticeColour, kDiagonalThickness, target);
	engine->DrawThickLine(left, top + h - 6, left + w - 6, top, kLatticeColour, kDiagonalThickness, target);
	engine->DrawThickLine(left + 5, top + h - 1, left + w - 1, top + 5, kLatticeColour, kDiagonalThickness, target);

	// Two small boxes at the centre, hidden under a node's picture and left
	// showing where the map has no node.
	const int kBoxColour = 0x3A483D;
	const int kBoxWidth = 6;
	const int kBoxHeight = 10;
	const int kBoxSpacing = 12;
	int boxLeft = left + w / 2 - 10;
	int boxTop = top + h / 2 - 5;
	for (int x : {boxLeft, boxLeft + kBoxSpacing})
		engine->DrawRectangleOutline(target, x, boxTop, x + kBoxWidth, boxTop + kBoxHeight, kBoxColour);
}

void LevelTileManager::DrawLinkTile(BaseEngine *engine, SDL_Surface *target, int left, int top)
{
	const int w = tileWidth;
	const int h = tileHeight;
	// The corners of the neighbouring node tiles' diagonals.
	engine->DrawThickLine(left + w - 5, top, left + w - 1, top + 4, kLatticeColour, kDiagonalThickness, target);
	engine->DrawThickLine(left, top + h - 5, left + 5, top + h, kLatticeColour, kDiagonalThickness, target);
	engine->DrawThickLine(left, top + 4, left + 4, top, kLatticeColour, kDiagonalThickness, target);
	engine->DrawThickLine(left + w - 5, top + h - 1, left + w - 1, top + h - 5, kLatticeColour, kDiagonalThickness, target);
}
