#ifndef VEXARIFT_TOOLS_MAPGEN_NETWORKSHAPE_H
#define VEXARIFT_TOOLS_MAPGEN_NETWORKSHAPE_H

#include "leveldata/GridPosition.h"

#include <array>
#include <vector>

class MapRandom;

// Which grid positions hold a node, before anything is put in them: the
// network a player sees from the first moment. The generator draws it
// from a few strokes (blobs, corridors, rings) that join into one piece.
class NetworkShape {
public:
	using Distances = std::array<std::array<int, GRID_ROWS>, GRID_COLUMNS>;

	void Add(GridPosition position);
	bool Has(GridPosition position) const { return cells[position.column][position.row]; }
	int Size() const { return size; }
	// In grid order, column by column.
	std::vector<GridPosition> Cells() const;

	// Grows a blob of about count nodes from the position outward.
	void Grow(MapRandom &random, GridPosition from, int count);
	// A shortest line of nodes across the grid from one position to the
	// other, wandering among the equally short ones.
	void Join(MapRandom &random, GridPosition from, GridPosition to);
	// Every position exactly radius steps from the centre; false, adding
	// nothing, when part of that ring would fall off the grid.
	bool Ring(GridPosition centre, int radius);

	// Steps over the network's own nodes; -1 where it does not reach.
	Distances StepsFrom(GridPosition from) const;
	// Steps over the whole grid, nodes or not.
	static Distances GridStepsFrom(GridPosition from);
	bool IsConnected() const;
	// The network's node nearest to a position of the grid.
	GridPosition NearestTo(GridPosition position) const;

private:
	bool cells[GRID_COLUMNS][GRID_ROWS] = {};
	int size = 0;
};

#endif
