#ifndef VEXARIFT_LEVELDATA_GRIDPOSITION_H
#define VEXARIFT_LEVELDATA_GRIDPOSITION_H

#include <vector>

// A node's place in the level's 10 x 9 grid. Odd rows sit one tile further
// right than even rows, which is what makes the network hexagonal and why
// the neighbours above and below depend on the row's parity.
struct GridPosition {
	int column;
	int row;

	bool operator==(const GridPosition &other) const { return column == other.column && row == other.row; }
};

constexpr int GRID_COLUMNS = 10;
constexpr int GRID_ROWS = 9;

bool IsInsideGrid(int column, int row);

// The one listing of a position's neighbours: beside it left and right, then
// the row above, then the row below, leftmost first. The level's marker
// assignment, link drawing and path search all depend on this exact order,
// so every caller should go through here rather than redo it.
std::vector<GridPosition> GetGridNeighbours(int column, int row);
// The same lists, taken once for every position: searches walk them in
// their innermost loops, where a fresh list at every step would cost more
// than the walk itself.
const std::vector<GridPosition> &NeighboursOf(GridPosition position);

#endif
