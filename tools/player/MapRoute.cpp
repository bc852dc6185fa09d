#include "tools/player/MapRoute.h"

#include "leveldata/GridPosition.h"
#include "leveldata/NodeType.h"

#include <algorithm>
#include <climits>
#include <queue>

namespace {
	// A decryption weighs as much as one point of coherence: moves are
	// cheap, but not free while Restoration Nodes heal.
	const int STEP_COST = 1;
	// A fight the virus is not expected to survive; any way round is better.
	const int HOPELESS_COST = 1000;
	const int NO_WAY = INT_MAX;
	// Items are fetched on the way when that costs a few moves and no fight.
	const int ITEM_DETOUR = 8;
}

bool MapRoute::Advance(ScriptedPlayer &player)
{
	const Step toCore = ToCore(player);
	// Each fight is reckoned alone, so a way whose fights add up to more
	// than the virus has is as hopeless as one single lost fight.
	const bool coreHopeless = !toCore.Found() || toCore.cost >= HOPELESS_COST || toCore.cost >= player.Staying();
	if((coreHopeless || CanRiskCache(player, toCore)) && player.OpenCache(true))
		return true;
	const Step toItem = player.View().items.HasFreeSlot() ? ToItem(player) : Step();
	if(toItem.Found() && (toItem.cost <= ITEM_DETOUR || (coreHopeless && toItem.cost < HOPELESS_COST)))
		return Take(player, toItem);
	return Take(player, toCore) || player.OpenCache(false) || player.DecryptFirst();
}

bool MapRoute::SeekHelp(ScriptedPlayer &player)
{
	const Step toItem = ToItem(player);
	return toItem.Found() && toItem.cost < HOPELESS_COST && Take(player, toItem);
}

// A cache can hold a Virus Suppressor, which would weaken every attack
// from then on; open one only if the way to the System Core would still be
// survivable after that.
bool MapRoute::CanRiskCache(const ScriptedPlayer &player, const Step &toCore) const
{
	if(!toCore.Found())
		return false;
	for(int column = 0; column < GRID_COLUMNS; ++column)
		for(int row = 0; row < GRID_ROWS; ++row)
		{
			if(player.View().nodes[column][row].type != SYSTEM_CORE)
				continue;
			const FightForecast now = player.Forecast({column, row});
			const FightForecast weakened = player.Forecast({column, row}, Virus::SUPPRESSOR_PENALTY);
			if(!now.Survives() || !weakened.Survives())
				return false;
			return toCore.cost - now.DamageTaken() + weakened.DamageTaken() < player.Staying();
		}
	return false;
}

// An encrypted node is decrypted; a blocked one is opened by fighting the
// cheapest of the subsystems that block it.
bool MapRoute::Take(ScriptedPlayer &player, const Step &step) const
{
	if(!step.Found())
		return false;
	if(player.View().At(step.position).state == ENCRYPTED)
	{
		player.Click(step.position, "decrypt");
		return true;
	}
	std::vector<GridPosition> blockers = player.BlockersOf(step.position);
	player.CheapestFirst(blockers);
	return !blockers.empty() && player.Fight(blockers.front());
}

MapRoute::Step MapRoute::ToCore(const ScriptedPlayer &player) const
{
	return BestStep(player, [](const NodeView &node) { return node.type == SYSTEM_CORE; });
}

MapRoute::Step MapRoute::ToItem(const ScriptedPlayer &player) const
{
	return BestStep(player, [](const NodeView &node) { return IsItem(node.type); });
}

template<typename Goal> MapRoute::Step MapRoute::BestStep(const ScriptedPlayer &player, Goal isGoal) const
{
	const LevelView &view = player.View();
	int cost[GRID_COLUMNS][GRID_ROWS];
	using Entry = std::pair<int, GridPosition>;
	auto later = [](const Entry &a, const Entry &b) { return a.first > b.first; };
	std::priority_queue<Entry, std::vector<Entry>, decltype(later)> open(later);
	for(int column = 0; column < GRID_COLUMNS; ++column)
		for(int row = 0; row < GRID_ROWS; ++row)
		{
			const NodeView &node = view.nodes[column][row];
			cost[column][row] = NO_WAY;
			if(node.present && isGoal(node))
			{
				cost[column][row] = PassCost(player, {column, row});
				open.push({cost[column][row], {column, row}});
			}
		}
	while(!open.empty())
	{
		const Entry here = open.top();
		open.pop();
		if(here.first > cost[here.second.column][here.second.row])
			continue;
		for(const GridPosition &next : NeighboursOf(here.second))
		{
			if(!view.At(next).present)
				continue;
			const int through = here.first + PassCost(player, next);
			if(through < cost[next.column][next.row])
			{
				cost[next.column][next.row] = through;
				open.push({through, next});
			}
		}
	}

	Step best;
	for(int state : {ENCRYPTED, BLOCKED})
		for(const GridPosition &p : player.Positions(state))
		{
			const int c = cost[p.column][p.row];
			if(c != NO_WAY && (!best.Found() || c < best.cost))
				best = {p, c};
		}
	return best;
}

// The revealed network costs nothing to cross, and a revealed subsystem is
// paid for by the blocked nodes behind it.
int MapRoute::PassCost(const ScriptedPlayer &player, GridPosition position) const
{
	const NodeView &node = player.View().At(position);
	if(node.state == REVEALED)
		return 0;
	int cost = STEP_COST;
	if(IsFighter(node.type))
		cost += FightCost(player, position);
	if(node.state == BLOCKED)
		for(const GridPosition &blocker : player.BlockersOf(position))
			cost += FightCost(player, blocker);
	return std::min(cost, HOPELESS_COST);
}

int MapRoute::FightCost(const ScriptedPlayer &player, GridPosition position) const
{
	const FightForecast fight = player.Forecast(position);
	return fight.Survives() ? std::max(0, fight.DamageTaken()) : HOPELESS_COST;
}
