#include "leveldata/GridPosition.h"

bool IsInsideGrid(int column, int row)
{
	return column >= 0 && column < GRID_COLUMNS && row >= 0 && row < GRID_ROWS;
}

std::vector<GridPosition> GetGridNeighbours(int column, int row)
{
	std::vector<GridPosition> neighbours;
	auto addIfInside = [&](int c, int r) {
		if(IsInsideGrid(c, r))
			neighbours.push_back({c, r});
	};
	// An even row's diagonal neighbours are up-left and straight up (or
	// down); an odd row is shifted right, so it pairs with c and c + 1.
	int firstDiagonal = (row % 2 == 0) ? column - 1 : column;
	addIfInside(column - 1, row);
	addIfInside(column + 1, row);
	addIfInside(firstDiagonal, row - 1);
	addIfInside(firstDiagonal + 1, row - 1);
	addIfInside(firstDiagonal, row + 1);
	addIfInside(firstDiagonal + 1, row + 1);
	return neighbours;
}

namespace {
	struct NeighbourTable {
		std::vector<GridPosition> lists[GRID_COLUMNS][GRID_ROWS];

		NeighbourTable()
		{
			for(int column = 0; column < GRID_COLUMNS; ++column)
				for(int row = 0; row < GRID_ROWS; ++row)
					lists[column][row] = GetGridNeighbours(column, row);
		}
	};
}

const std::vector<GridPosition> &NeighboursOf(GridPosition position)
{
	static const NeighbourTable table;
	return table.lists[position.column][position.row];
}
