#ifndef VEXARIFT_TOOLS_PLAYER_NEIGHBOURS_H
#define VEXARIFT_TOOLS_PLAYER_NEIGHBOURS_H

#include "leveldata/GridPosition.h"

#include <vector>

// The grid's one listing of neighbours, GetGridNeighbours, taken once for
// every position: the players walk it in their innermost loops, where a
// fresh list at every step would cost more than the walk itself.
const std::vector<GridPosition> &NeighboursOf(GridPosition position);

#endif
