#ifndef VEXARIFT_LEVELDATA_MAPANALYSIS_H
#define VEXARIFT_LEVELDATA_MAPANALYSIS_H

#include "leveldata/GridPosition.h"
#include "leveldata/MapRecord.h"

#include <string>
#include <vector>

// Graph questions about a map as the game will play it: nodes join through
// the grid's neighbours, and EMPTY positions join nothing. The map checker
// asks them of every map before it ships, since the game itself trusts
// DATA: a part of the network with nothing to find ends the program ("No
// path") and a map whose System Core is out of reach cannot be won.

enum MapFault {
	NO_SYSTEM_CORE,
	SEVERAL_SYSTEM_CORES,
	START_ON_EMPTY,
	PART_WITHOUT_OBJECTIVE,
	CORE_UNREACHABLE
};

// A fault and where it lies: the System Cores for the core faults, the
// start for START_ON_EMPTY, and every node of the part concerned for
// PART_WITHOUT_OBJECTIVE.
struct MapFinding {
	MapFault fault;
	std::vector<GridPosition> positions;
};

// The connected parts of the network, each in grid order (column by
// column), ordered by their first position.
std::vector<std::vector<GridPosition>> FindNetworkParts(const MapRecord &map);

// Every fault that makes the map unplayable; empty for a good map. The
// start must lie inside the grid, as in every record the loader keeps.
std::vector<MapFinding> FindMapFaults(const MapRecord &map);

// The finding in a map author's words, as the map checker prints it and a
// bad map code is turned away with.
std::string DescribeMapFinding(const MapFinding &finding, GridPosition start);

// Positions as "(1, 2) (3, 4)".
std::string DescribePositions(const std::vector<GridPosition> &positions);

#endif
