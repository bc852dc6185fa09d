#include "tools/player/Neighbours.h"

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
