#ifndef VEXARIFT_PLAY_LEVELBACKGROUND_H
#define VEXARIFT_PLAY_LEVELBACKGROUND_H

#include "leveldata/GridPosition.h"

#include <SDL.h>

#include <memory>
#include <vector>

class LevelRules;
class LevelTileManager;
class NodeObject;
class VexaRiftEngine;

// The level screen's background surface: the fill, the two logo words, the
// lattice and the bottom band, which never change, and over them the links
// between neighbouring nodes, coloured by the states of the two nodes as
// the rules hold them.
//
// The unchanging part is painted once, into a layer of its own. A level's
// first paint copies the layer and draws every link. Later paints redraw
// only where a link changed colour: each 64-pixel cell such a link touches
// is restored from the layer, and every link that touches the cell is drawn
// again in the usual order, kept to the cell. That leaves the cell exactly
// as painting everything anew would, since within it the same shapes land
// on the same layer in the same order.
//
// The band lies in the layer under the links, where it used to be painted
// over them; no link reaches it (the lowest nodes' centres stand 32 pixels
// above it), so no pixel differs.
class LevelBackground {
public:
	// The rules are borrowed: the level owns both.
	LevelBackground(VexaRiftEngine *engine, LevelTileManager &tiles, const LevelRules &rules);
	~LevelBackground();
	LevelBackground(const LevelBackground &) = delete;
	LevelBackground &operator=(const LevelBackground &) = delete;

	// A new network: the next Paint paints the whole background. The nodes
	// give only where each one stands.
	void StartLevel(NodeObject *const (&nodes)[GRID_COLUMNS][GRID_ROWS]);
	// Brings the engine's background surface up to date with the rules.
	void Paint();

private:
	// One half of a link: from a node's centre to the midpoint between it
	// and its neighbour.
	struct LinkHalf {
		GridPosition from;
		GridPosition to;
		// The centres of the two nodes.
		int fromX;
		int fromY;
		int toX;
		int toY;
		// Every pixel the half can cover.
		SDL_Rect box;
		// The colour it was last painted in.
		int colour;
	};
	struct SurfaceFree {
		void operator()(SDL_Surface *surface) const { SDL_FreeSurface(surface); }
	};

	void PaintUnchanging(SDL_Surface *target);
	void PaintWhole(SDL_Surface *background);
	void RepaintChangedCells(SDL_Surface *background);
	void CopyFromLayer(SDL_Surface *background, const SDL_Rect &area) const;
	// Calls visit with the index of every cell the box touches.
	template<typename Visit> void ForEachCell(const SDL_Rect &box, Visit visit) const;
	void DrawLink(const LinkHalf &link, SDL_Surface *target);
	int CellCount() const { return cellsAcross * cellsDown; }

	// Borrowed: the level outlives its background.
	VexaRiftEngine *engine;
	LevelTileManager &tiles;
	const LevelRules &rules;
	// Null until the first paint, and if it could not be made: then every
	// paint paints everything, as the game always did.
	std::unique_ptr<SDL_Surface, SurfaceFree> layer;
	std::vector<LinkHalf> links;
	// For each cell, row by row, the links that touch it, in drawing order.
	std::vector<std::vector<int>> linksByCell;
	int cellsAcross = 0;
	int cellsDown = 0;
	bool wholePaintDue = true;
};

#endif
