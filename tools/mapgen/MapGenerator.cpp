#include "tools/mapgen/MapGenerator.h"

#include "tools/mapgen/MapRandom.h"
#include "tools/mapgen/NetworkShape.h"

#include <algorithm>

namespace {
	// Networks smaller than this leave too little to explore.
	const int FEWEST_NODES = 16;
	// The System Core lies at least this many steps from the start.
	const int NEAREST_CORE = 3;

	struct Range {
		int low;
		int high;
	};

	// What one difficulty puts on a network. Guards stand on a shortest way
	// from the start to the System Core, the rest of the defence anywhere.
	struct Recipe {
		Difficulty difficulty;
		Range nodes;
		Range guards;
		Range elsewhere;
		Range items;
		Range caches;
		// Weights of Firewall, Anti-virus, Restoration Node, Virus Suppressor.
		int defenseWeights[4];
	};

	const Recipe RECIPES[] = {
		{Difficulty::EASY, {18, 34}, {0, 1}, {0, 2}, {2, 3}, {0, 1}, {6, 3, 1, 0}},
		{Difficulty::NORMAL, {22, 40}, {1, 2}, {1, 3}, {1, 3}, {1, 2}, {4, 3, 2, 1}},
		{Difficulty::HARD, {26, 46}, {2, 3}, {2, 4}, {1, 3}, {1, 3}, {3, 3, 2, 2}},
	};

	const NodeType DEFENSES[] = {FIREWALL, ANTIVIRUS, RESTORATION_NODE, VIRUS_SUPPRESSOR};
	const NodeType ITEMS[] = {ITEM_SELF_REPAIR, ITEM_KERNEL_ROT, ITEM_POLYMORPHIC_SHIELD, ITEM_SECONDARY_VECTOR};

	const Recipe &RecipeFor(Difficulty difficulty)
	{
		for(const Recipe &recipe : RECIPES)
			if(recipe.difficulty == difficulty)
				return recipe;
		return RECIPES[1];
	}

	// Nudges draw from streams of their own, far from every candidate's.
	const uint64_t NUDGE_STREAMS = 0x4E554447ULL << 32;
	const int MOST_NUDGES = 16;

	// The positions of the map whose type passes the test, start excluded.
	template<typename Test> std::vector<GridPosition> Where(const MapRecord &map, Test test)
	{
		std::vector<GridPosition> found;
		for(int column = 0; column < GRID_COLUMNS; ++column)
			for(int row = 0; row < GRID_ROWS; ++row)
				if(!(GridPosition{column, row} == map.GetStart()) && test(map.TypeAt(column, row)))
					found.push_back({column, row});
		return found;
	}

	// The ways of least steps between the start and the System Core over a
	// network: a position lies on one when its steps from both ends add up to
	// the way's length.
	struct ShortestWays {
		ShortestWays(const NetworkShape &shape, GridPosition start, GridPosition core)
			: fromStart(shape.StepsFrom(start)),
			  fromCore(shape.StepsFrom(core)),
			  length(fromStart[core.column][core.row])
		{}
		bool Hold(GridPosition p) const { return fromStart[p.column][p.row] + fromCore[p.column][p.row] == length; }

		NetworkShape::Distances fromStart;
		NetworkShape::Distances fromCore;
		int length;
	};

	// The plain nodes on the ways of least steps from the start to the
	// System Core, whatever stands on them now.
	std::vector<GridPosition> OnTheWay(const MapRecord &map)
	{
		NetworkShape shape;
		GridPosition core = map.GetStart();
		for(int column = 0; column < GRID_COLUMNS; ++column)
			for(int row = 0; row < GRID_ROWS; ++row)
			{
				if(map.TypeAt(column, row) != EMPTY)
					shape.Add({column, row});
				if(map.TypeAt(column, row) == SYSTEM_CORE)
					core = {column, row};
			}
		const ShortestWays ways(shape, map.GetStart(), core);
		std::vector<GridPosition> found;
		for(const GridPosition &p : Where(map, [](NodeType type) { return type == HACKED; }))
			if(ways.Hold(p))
				found.push_back(p);
		return found;
	}

	int Roll(MapRandom &random, Range range)
	{
		return random.Between(range.low, range.high);
	}

	GridPosition AnyPosition(MapRandom &random)
	{
		return {random.Below(GRID_COLUMNS), random.Below(GRID_ROWS)};
	}

	NodeType DefenseFor(MapRandom &random, const Recipe &recipe)
	{
		int total = 0;
		for(int weight : recipe.defenseWeights)
			total += weight;
		int roll = random.Below(total);
		for(int i = 0; i < 4; ++i)
		{
			if(roll < recipe.defenseWeights[i])
				return DEFENSES[i];
			roll -= recipe.defenseWeights[i];
		}
		return FIREWALL;
	}

	// Lines out from the shape to count places anywhere on the grid.
	void Branch(NetworkShape &shape, MapRandom &random, int count)
	{
		for(int i = 0; i < count; ++i)
		{
			const GridPosition to = AnyPosition(random);
			shape.Join(random, shape.NearestTo(to), to);
		}
	}

	// Branching corridors between a handful of far-flung points.
	void Corridors(NetworkShape &shape, MapRandom &random)
	{
		shape.Add(AnyPosition(random));
		Branch(shape, random, random.Between(4, 6));
	}

	// One or two rings, each with spurs leading off it.
	void Rings(NetworkShape &shape, MapRandom &random)
	{
		const int rings = random.Between(1, 2);
		for(int made = 0, tries = 0; made < rings && tries < 40; ++tries)
		{
			const GridPosition centre = AnyPosition(random);
			NetworkShape ring;
			if(!ring.Ring(centre, random.Between(1, 3)))
				continue;
			// Sometimes the hub inside the ring is reached by one spoke.
			if(random.OneIn(2))
				ring.Join(random, centre, ring.NearestTo(centre));
			if(made++ > 0)
				shape.Join(random, shape.NearestTo(centre), ring.NearestTo(shape.NearestTo(centre)));
			for(const GridPosition &p : ring.Cells())
				shape.Add(p);
		}
		if(shape.Size() == 0)
			shape.Ring({4, 4}, 3);
		Branch(shape, random, random.Between(1, 3));
	}

	// Small blobs apart from each other, each joined to the last by a line
	// of single nodes: every way between them runs through that line.
	void Islands(NetworkShape &shape, MapRandom &random)
	{
		const int islands = random.Between(2, 3);
		std::vector<GridPosition> centres;
		for(int tries = 0; static_cast<int>(centres.size()) < islands && tries < 60; ++tries)
		{
			const GridPosition centre = AnyPosition(random);
			const auto steps = NetworkShape::GridStepsFrom(centre);
			const bool apart = std::all_of(centres.begin(), centres.end(),
				[&](GridPosition other) { return steps[other.column][other.row] >= 5; });
			if(apart)
				centres.push_back(centre);
		}
		for(size_t i = 0; i < centres.size(); ++i)
		{
			NetworkShape island;
			island.Grow(random, centres[i], random.Between(5, 10));
			if(i > 0)
				shape.Join(random, shape.NearestTo(centres[i]), island.NearestTo(shape.NearestTo(centres[i])));
			for(const GridPosition &p : island.Cells())
				shape.Add(p);
		}
	}
}

MapGenerator::MapGenerator(uint32_t seed, Difficulty difficulty) : seed(seed), difficulty(difficulty)
{}

MapRecord MapGenerator::Candidate(uint64_t index) const
{
	MapRandom random(seed, index);
	return Furnish(Shape(random), random);
}

NetworkShape MapGenerator::Shape(MapRandom &random) const
{
	const Recipe &recipe = RecipeFor(difficulty);
	NetworkShape shape;
	switch(random.Below(4))
	{
	case 0:
		shape.Grow(random, AnyPosition(random), Roll(random, recipe.nodes));
		break;
	case 1:
		Corridors(shape, random);
		break;
	case 2:
		Rings(shape, random);
		break;
	default:
		Islands(shape, random);
		break;
	}
	// Too small to be worth playing: widen it with a blob of its own size.
	while(shape.Size() < std::max(FEWEST_NODES, recipe.nodes.low))
	{
		const GridPosition to = AnyPosition(random);
		shape.Join(random, shape.NearestTo(to), to);
		shape.Grow(random, to, random.Between(3, 8));
	}
	return shape;
}

MapRecord MapGenerator::Furnish(const NetworkShape &shape, MapRandom &random) const
{
	const Recipe &recipe = RecipeFor(difficulty);
	const std::vector<GridPosition> cells = shape.Cells();
	MapRecord map;
	for(const GridPosition &p : cells)
		map.types[p.column][p.row] = HACKED;

	// Half the time the start lies out at an edge of the network.
	GridPosition start = random.Pick(cells);
	if(random.OneIn(2))
	{
		const auto steps = shape.StepsFrom(start);
		for(const GridPosition &p : cells)
			if(steps[p.column][p.row] > steps[start.column][start.row])
				start = p;
	}
	const auto fromStart = shape.StepsFrom(start);
	int farthest = 0;
	for(const GridPosition &p : cells)
		farthest = std::max(farthest, fromStart[p.column][p.row]);
	const int nearest = std::max(NEAREST_CORE, farthest * random.Between(50, 100) / 100);
	std::vector<GridPosition> coreSites;
	for(const GridPosition &p : cells)
		if(fromStart[p.column][p.row] >= nearest)
			coreSites.push_back(p);
	if(coreSites.empty())
		coreSites.push_back(cells.back());
	const GridPosition core = random.Pick(coreSites);
	map.startColumn = start.column;
	map.startRow = start.row;

	// The ways of least steps from the start to the System Core.
	const ShortestWays ways(shape, start, core);
	std::vector<GridPosition> onTheWay;
	std::vector<GridPosition> elsewhere;
	for(const GridPosition &p : cells)
	{
		if(p == start || p == core)
			continue;
		if(ways.Hold(p))
			onTheWay.push_back(p);
		else
			elsewhere.push_back(p);
	}
	random.Shuffle(onTheWay);
	random.Shuffle(elsewhere);
	map.types[core.column][core.row] = SYSTEM_CORE;

	auto place = [&](std::vector<GridPosition> &from, NodeType type) {
		if(from.empty())
			return;
		const GridPosition p = from.back();
		from.pop_back();
		map.types[p.column][p.row] = type;
	};
	for(int i = Roll(random, recipe.guards); i > 0; --i)
		place(onTheWay, DefenseFor(random, recipe));
	// Whatever is left on the way counts as anywhere from now on.
	elsewhere.insert(elsewhere.end(), onTheWay.begin(), onTheWay.end());
	random.Shuffle(elsewhere);
	for(int i = Roll(random, recipe.elsewhere); i > 0; --i)
		place(elsewhere, DefenseFor(random, recipe));
	for(int i = Roll(random, recipe.items); i > 0; --i)
		place(elsewhere, ITEMS[random.Below(4)]);
	for(int i = Roll(random, recipe.caches); i > 0; --i)
		place(elsewhere, DATA_CACHE);
	return map;
}

MapRecord MapGenerator::Nudge(const MapRecord &map, uint64_t index, int attempt, bool harder) const
{
	MapRandom random(seed, NUDGE_STREAMS + index * MOST_NUDGES + static_cast<uint64_t>(attempt));
	MapRecord nudged = map;
	if(harder ? Harden(nudged, random) : Soften(nudged, random))
		return nudged;
	return map;
}

// A new guard on the way, or else one item fewer.
bool MapGenerator::Harden(MapRecord &map, MapRandom &random) const
{
	std::vector<GridPosition> sites = OnTheWay(map);
	if(sites.empty() || random.OneIn(3))
		sites = Where(map, [](NodeType type) { return IsItem(type); });
	if(sites.empty())
		return false;
	const GridPosition p = random.Pick(sites);
	map.types[p.column][p.row] =
		map.TypeAt(p.column, p.row) == HACKED ? DefenseFor(random, RecipeFor(difficulty)) : HACKED;
	return true;
}

// One Defense Subsystem fewer, or else an item more.
bool MapGenerator::Soften(MapRecord &map, MapRandom &random) const
{
	std::vector<GridPosition> defenses = Where(map, [](NodeType type) { return IsDefenseSubsystem(type); });
	if(!defenses.empty() && !random.OneIn(3))
	{
		const GridPosition p = random.Pick(defenses);
		map.types[p.column][p.row] = HACKED;
		return true;
	}
	const std::vector<GridPosition> plain = Where(map, [](NodeType type) { return type == HACKED; });
	if(plain.empty())
		return false;
	const GridPosition p = random.Pick(plain);
	map.types[p.column][p.row] = ITEMS[random.Below(4)];
	return true;
}
