#include "tools/player/Neighbours.h"

namespace {
	struct NeighbourTable {
		std::vector<GridPosition> lists[kGridColumns][kGridRows];

		NeighbourTable()
		{
			for(int column = 0; column < kGridColumns; ++column)
				for(int row = 0; row < kGridRows; ++row)
					lists[column][row] = GetGridNeighbours(column, row);
		}
	};
}

const std::vector<GridPosition> &NeighboursOf(GridPosition position)
{
	static const NeighbourTable table;
	return table.lists[position.column][position.row];
}
