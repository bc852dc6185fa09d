#include "tools/mapgen/NetworkShape.h"

#include "tools/mapgen/MapRandom.h"

#include <cstddef>

namespace {
	NetworkShape::Distances Unreached()
	{
		NetworkShape::Distances distances;
		for(auto &column : distances)
			column.fill(-1);
		return distances;
	}

	template<typename Passable> NetworkShape::Distances Spread(GridPosition from, Passable passable)
	{
		NetworkShape::Distances distances = Unreached();
		std::vector<GridPosition> queue = {from};
		distances[from.column][from.row] = 0;
		for(size_t next = 0; next < queue.size(); ++next)
			for(const GridPosition &around : GetGridNeighbours(queue[next].column, queue[next].row))
			{
				if(distances[around.column][around.row] >= 0 || !passable(around))
					continue;
				distances[around.column][around.row] = distances[queue[next].column][queue[next].row] + 1;
				queue.push_back(around);
			}
		return distances;
	}
}

void NetworkShape::Add(GridPosition position)
{
	if(cells[position.column][position.row])
		return;
	cells[position.column][position.row] = true;
	++size;
}

std::vector<GridPosition> NetworkShape::Cells() const
{
	std::vector<GridPosition> found;
	for(int column = 0; column < GRID_COLUMNS; ++column)
		for(int row = 0; row < GRID_ROWS; ++row)
			if(cells[column][row])
				found.push_back({column, row});
	return found;
}

void NetworkShape::Grow(MapRandom &random, GridPosition from, int count)
{
	Add(from);
	std::vector<GridPosition> grown = {from};
	for(int added = 1; added < count;)
	{
		const GridPosition base = random.Pick(grown);
		const GridPosition next = random.Pick(GetGridNeighbours(base.column, base.row));
		if(Has(next))
		{
			// A full blob stops growing rather than spinning for ever.
			if(random.OneIn(4 * count))
				return;
			continue;
		}
		Add(next);
		grown.push_back(next);
		++added;
	}
}

void NetworkShape::Join(MapRandom &random, GridPosition from, GridPosition to)
{
	const Distances toGoal = GridStepsFrom(to);
	GridPosition here = from;
	Add(here);
	while(!(here == to))
	{
		std::vector<GridPosition> closer;
		for(const GridPosition &around : GetGridNeighbours(here.column, here.row))
			if(toGoal[around.column][around.row] == toGoal[here.column][here.row] - 1)
				closer.push_back(around);
		here = random.Pick(closer);
		Add(here);
	}
}

bool NetworkShape::Ring(GridPosition centre, int radius)
{
	const Distances steps = GridStepsFrom(centre);
	std::vector<GridPosition> ring;
	for(int column = 0; column < GRID_COLUMNS; ++column)
		for(int row = 0; row < GRID_ROWS; ++row)
			if(steps[column][row] == radius)
				ring.push_back({column, row});
	// A whole hexagonal ring has six positions per step of radius.
	if(static_cast<int>(ring.size()) != 6 * radius)
		return false;
	for(const GridPosition &position : ring)
		Add(position);
	return true;
}

NetworkShape::Distances NetworkShape::StepsFrom(GridPosition from) const
{
	return Spread(from, [this](GridPosition p) { return Has(p); });
}

NetworkShape::Distances NetworkShape::GridStepsFrom(GridPosition from)
{
	return Spread(from, [](GridPosition) { return true; });
}

bool NetworkShape::IsConnected() const
{
	const std::vector<GridPosition> all = Cells();
	if(all.empty())
		return false;
	const Distances steps = StepsFrom(all.front());
	for(const GridPosition &p : all)
		if(steps[p.column][p.row] < 0)
			return false;
	return true;
}

GridPosition NetworkShape::NearestTo(GridPosition position) const
{
	const Distances steps = GridStepsFrom(position);
	GridPosition best = position;
	int bestSteps = -1;
	for(const GridPosition &p : Cells())
		if(bestSteps < 0 || steps[p.column][p.row] < bestSteps)
		{
			best = p;
			bestSteps = steps[p.column][p.row];
		}
	return best;
}
