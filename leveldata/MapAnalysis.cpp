#include "leveldata/MapAnalysis.h"

#include <algorithm>

namespace {

	std::vector<GridPosition> FindSystemCores(const MapRecord &map)
	{
		std::vector<GridPosition> cores;
		for(int column = 0; column < GRID_COLUMNS; ++column)
			for(int row = 0; row < GRID_ROWS; ++row)
				if(map.TypeAt(column, row) == SYSTEM_CORE)
					cores.push_back({column, row});
		return cores;
	}

	bool Contains(const std::vector<GridPosition> &positions, GridPosition position)
	{
		return std::find(positions.begin(), positions.end(), position) != positions.end();
	}

	bool HoldsObjective(const MapRecord &map, const std::vector<GridPosition> &part)
	{
		return std::any_of(
			part.begin(), part.end(), [&](GridPosition p) { return IsObjective(map.TypeAt(p.column, p.row)); });
	}

} // namespace

std::vector<std::vector<GridPosition>> FindNetworkParts(const MapRecord &map)
{
	bool seen[GRID_COLUMNS][GRID_ROWS] = {};
	std::vector<std::vector<GridPosition>> parts;
	for(int column = 0; column < GRID_COLUMNS; ++column)
	{
		for(int row = 0; row < GRID_ROWS; ++row)
		{
			if(seen[column][row] || map.TypeAt(column, row) == EMPTY)
				continue;
			std::vector<GridPosition> part{{column, row}};
			seen[column][row] = true;
			for(size_t next = 0; next < part.size(); ++next)
			{
				for(GridPosition n : GetGridNeighbours(part[next].column, part[next].row))
				{
					if(seen[n.column][n.row] || map.TypeAt(n.column, n.row) == EMPTY)
						continue;
					seen[n.column][n.row] = true;
					part.push_back(n);
				}
			}
			std::sort(part.begin(), part.end(), [](GridPosition a, GridPosition b) {
				return a.column != b.column ? a.column < b.column : a.row < b.row;
			});
			parts.push_back(part);
		}
	}
	return parts;
}

std::vector<MapFinding> FindMapFaults(const MapRecord &map)
{
	std::vector<MapFinding> findings;
	std::vector<GridPosition> cores = FindSystemCores(map);
	if(cores.empty())
		findings.push_back({NO_SYSTEM_CORE, {}});
	if(cores.size() > 1)
		findings.push_back({SEVERAL_SYSTEM_CORES, cores});

	GridPosition start = map.GetStart();
	bool startOnEmpty = map.TypeAt(start.column, start.row) == EMPTY;
	if(startOnEmpty)
		findings.push_back({START_ON_EMPTY, {start}});

	for(const std::vector<GridPosition> &part : FindNetworkParts(map))
	{
		if(!HoldsObjective(map, part))
			findings.push_back({PART_WITHOUT_OBJECTIVE, part});
		// Several cores are a fault of their own; here one within reach is
		// enough, as the game is won by hacking any of them.
		bool holdsStart = Contains(part, start);
		if(holdsStart && !cores.empty() &&
			std::none_of(cores.begin(), cores.end(), [&](GridPosition core) { return Contains(part, core); }))
			findings.push_back({CORE_UNREACHABLE, cores});
	}
	return findings;
}

std::string DescribePositions(const std::vector<GridPosition> &positions)
{
	std::string text;
	for(GridPosition p : positions)
		text += (text.empty() ? "(" : " (") + std::to_string(p.column) + ", " + std::to_string(p.row) + ")";
	return text;
}

std::string DescribeMapFinding(const MapFinding &finding, GridPosition start)
{
	switch(finding.fault)
	{
	case NO_SYSTEM_CORE:
		return "no SYSTEM_CORE; the level cannot be won";
	case SEVERAL_SYSTEM_CORES:
		return std::to_string(finding.positions.size()) + " SYSTEM_COREs at " + DescribePositions(finding.positions) +
			"; a map needs exactly one";
	case START_ON_EMPTY:
		return "start " + DescribePositions({start}) + " is EMPTY; there is nothing to click";
	case PART_WITHOUT_OBJECTIVE:
		return "nodes " + DescribePositions(finding.positions) +
			" reach no SYSTEM_CORE, item or DATA_CACHE; decrypting one ends the game (\"No path\")";
	case CORE_UNREACHABLE:
		return "SYSTEM_CORE " + DescribePositions(finding.positions) + " cannot be reached from the start " +
			DescribePositions({start});
	}
	return "unknown fault";
}
