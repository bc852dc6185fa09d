#include "play/LevelBackground.h"

#include "engine/VexaRiftEngine.h"
#include "leveldata/LevelTileManager.h"
#include "leveldata/NodeType.h"
#include "play/NodeObject.h"
#include "rules/LevelRules.h"
#include "rules/NodeState.h"

#include <algorithm>
#include <cstring>

namespace {
	const int BACKGROUND_COLOUR = 0x0C110C;
	const char *const LOGO_FONT = "riftsans_bold.otf";
	const int LOGO_SIZE = 256;
	const int LOGO_COLOUR = 0x080B07;
	const int LOGO_FIRST_X = 340;
	const int LOGO_FIRST_Y = 0;
	const int LOGO_SECOND_X = 400;
	const int LOGO_SECOND_Y = 220;
	const int LINK_THICKNESS = 3;
	// A thick line reaches half its thickness past its ends and sides; one
	// more pixel for rounding and one to spare.
	const int LINK_MARGIN = LINK_THICKNESS / 2 + 2;
	const int BLOCKED_LINK_COLOUR = 0x000000;
	const int HIDDEN_LINK_COLOUR = 0x131313;
	const int REVEALED_LINK_COLOUR = 0x672B13;
	const int ENCRYPTED_LINK_COLOUR = 0x2C443D;
	const int NO_LINK = -1;
	const int BAND_COLOUR = 0x010201;
	const int BAND_LINE_COLOUR = 0x3A483D;
	const int BAND_LINE_THICKNESS = 4;
	const int CELL_SIZE = 64;

	// The colour of the link between two nodes: none to or from an EMPTY
	// position, else the first rule that holds wins, and a hidden node
	// beside a revealed one has none.
	int LinkColour(const NetworkNode &a, const NetworkNode &b)
	{
		if(a.GetType() == EMPTY || b.GetType() == EMPTY)
			return NO_LINK;
		const int sa = a.GetState();
		const int sb = b.GetState();
		if(sa == BLOCKED || sb == BLOCKED)
			return BLOCKED_LINK_COLOUR;
		if(sa == HIDDEN && sb == HIDDEN)
			return HIDDEN_LINK_COLOUR;
		if(sa == REVEALED && sb == REVEALED)
			return REVEALED_LINK_COLOUR;
		if(sa == ENCRYPTED || sb == ENCRYPTED)
			return ENCRYPTED_LINK_COLOUR;
		return NO_LINK;
	}
}

LevelBackground::LevelBackground(VexaRiftEngine *engine, LevelTileManager &tiles, const LevelRules &rules)
	: engine(engine),
	  tiles(tiles),
	  rules(rules)
{}

LevelBackground::~LevelBackground() = default;

template<typename Visit> void LevelBackground::ForEachCell(const SDL_Rect &box, Visit visit) const
{
	const int top = std::max(box.y / CELL_SIZE, 0);
	const int bottom = std::min((box.y + box.h - 1) / CELL_SIZE, cellsDown - 1);
	const int left = std::max(box.x / CELL_SIZE, 0);
	const int right = std::min((box.x + box.w - 1) / CELL_SIZE, cellsAcross - 1);
	for(int cy = top; cy <= bottom; ++cy)
		for(int cx = left; cx <= right; ++cx)
			visit(cy * cellsAcross + cx);
}

// Each link is drawn as two halves, one from each end; the colour rules are
// symmetric, so both halves match.
void LevelBackground::StartLevel(NodeObject *const (&nodes)[GRID_COLUMNS][GRID_ROWS])
{
	links.clear();
	for(int c = 0; c < GRID_COLUMNS; ++c)
		for(int r = 0; r < GRID_ROWS; ++r)
			for(const GridPosition &p : GetGridNeighbours(c, r))
			{
				const NodeObject *from = nodes[c][r];
				const NodeObject *to = nodes[p.column][p.row];
				const int midX = (from->x + to->x) / 2;
				const int midY = (from->y + to->y) / 2;
				const SDL_Rect box = {std::min(from->x, midX) - LINK_MARGIN, std::min(from->y, midY) - LINK_MARGIN,
					std::abs(from->x - midX) + 2 * LINK_MARGIN + 1, std::abs(from->y - midY) + 2 * LINK_MARGIN + 1};
				links.push_back({{c, r}, p, from->x, from->y, to->x, to->y, box, NO_LINK});
			}

	cellsAcross = (engine->width + CELL_SIZE - 1) / CELL_SIZE;
	cellsDown = (engine->height + CELL_SIZE - 1) / CELL_SIZE;
	linksByCell.assign(CellCount(), {});
	for(int i = 0; i < static_cast<int>(links.size()); ++i)
		ForEachCell(links[i].box, [this, i](int cell) { linksByCell[cell].push_back(i); });
	wholePaintDue = true;
}

void LevelBackground::Paint()
{
	SDL_Surface *background = engine->backgroundSurface;
	if(!layer)
	{
		layer.reset(SDL_CreateRGBSurfaceWithFormat(0, background->w, background->h, 32, background->format->format));
		if(layer)
			PaintUnchanging(layer.get());
	}
	if(!layer)
	{
		PaintUnchanging(background);
		PaintWhole(background);
		return;
	}
	if(wholePaintDue)
	{
		CopyFromLayer(background, {0, 0, background->w, background->h});
		PaintWhole(background);
		wholePaintDue = false;
		return;
	}
	RepaintChangedCells(background);
}

void LevelBackground::PaintUnchanging(SDL_Surface *target)
{
	SDL_FillRect(target, nullptr, BACKGROUND_COLOUR);
	Font *logoFont = engine->GetFont(LOGO_FONT, LOGO_SIZE);
	engine->DrawText(LOGO_FIRST_X, LOGO_FIRST_Y, "VEXA", LOGO_COLOUR, logoFont, target);
	engine->DrawText(LOGO_SECOND_X, LOGO_SECOND_Y, "RIFT", LOGO_COLOUR, logoFont, target);
	tiles.DrawTileRectangle(engine, target, 0, 0, tiles.GetMapWidth() - 1, tiles.GetMapHeight() - 1, tiles.GetOriginX(),
		tiles.GetOriginY());

	const int bandTop = tiles.GetMapHeight() * tiles.GetTileHeight();
	engine->FillRectangle(0, bandTop, engine->width, engine->height, BAND_COLOUR, target);
	engine->DrawThickLine(0, bandTop, engine->width, bandTop, BAND_LINE_COLOUR, BAND_LINE_THICKNESS, target);
}

void LevelBackground::PaintWhole(SDL_Surface *background)
{
	for(LinkHalf &link : links)
	{
		link.colour = LinkColour(rules.At(link.from), rules.At(link.to));
		DrawLink(link, background);
	}
}

void LevelBackground::RepaintChangedCells(SDL_Surface *background)
{
	std::vector<bool> dirty(CellCount(), false);
	for(LinkHalf &link : links)
	{
		const int colour = LinkColour(rules.At(link.from), rules.At(link.to));
		if(colour == link.colour)
			continue;
		link.colour = colour;
		ForEachCell(link.box, [&dirty](int cell) { dirty[cell] = true; });
	}
	for(int cell = 0; cell < CellCount(); ++cell)
	{
		if(!dirty[cell])
			continue;
		const SDL_Rect area = {cell % cellsAcross * CELL_SIZE, cell / cellsAcross * CELL_SIZE, CELL_SIZE, CELL_SIZE};
		CopyFromLayer(background, area);
		engine->SetClipArea(&area);
		for(int i : linksByCell[cell])
			DrawLink(links[i], background);
		engine->SetClipArea(nullptr);
	}
}

void LevelBackground::CopyFromLayer(SDL_Surface *background, const SDL_Rect &area) const
{
	const int right = std::min(area.x + area.w, background->w);
	const int bottom = std::min(area.y + area.h, background->h);
	if(area.x >= right)
		return;
	const size_t bytes = static_cast<size_t>(right - area.x) * 4;
	for(int y = area.y; y < bottom; ++y)
		memcpy(static_cast<uint8_t *>(background->pixels) + y * background->pitch + area.x * 4,
			static_cast<const uint8_t *>(layer->pixels) + y * layer->pitch + area.x * 4, bytes);
}

void LevelBackground::DrawLink(const LinkHalf &link, SDL_Surface *target)
{
	if(link.colour == NO_LINK)
		return;
	engine->DrawThickLine(link.fromX, link.fromY, (link.fromX + link.toX) / 2, (link.fromY + link.toY) / 2, link.colour,
		LINK_THICKNESS, target);
}
