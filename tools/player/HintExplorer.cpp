#include "tools/player/HintExplorer.h"

#include "leveldata/GridPosition.h"
#include "leveldata/NodeType.h"

#include <algorithm>
#include <queue>

namespace {
	// How much of a node's promise is left one decryption further away.
	const double FADE_PER_STEP = 0.6;
	// Ground behind a standing subsystem is as far again: it must be fought
	// open first.
	const int GUARDED_STEPS = 2;
	// Weighing promise against coherence: a fight costing this much halves
	// what its ground is worth.
	const double COHERENCE_WEIGHT = 25;
	// A decryption this promising goes before fighting a Restoration Node:
	// an objective is all but certain there.
	const double URGENT_PROMISE = 0.5;
	// How far a hunch can lift a choice: half again its promise.
	const double HUNCH = 0.5;
	// Below this a harmless Data Cache is a gamble the virus cannot afford:
	// a Virus Suppressor from it would weaken every attack to come.
	const int CACHE_RESERVE = 50;

	// Promise fades by the step; the steps never exceed every node guarded.
	struct FadeTable {
		double fade[GRID_COLUMNS * GRID_ROWS * (GUARDED_STEPS + 1)];

		FadeTable()
		{
			fade[0] = 1;
			for(size_t i = 1; i < sizeof(fade) / sizeof(fade[0]); ++i)
				fade[i] = fade[i - 1] * FADE_PER_STEP;
		}
	};
	const FadeTable FADE;
}

HintExplorer::HintExplorer(unsigned seed) : hunches(seed)
{}

bool HintExplorer::Advance(ScriptedPlayer &player)
{
	if(GoForCertainty(player))
		return true;
	const Choice decryption = BestDecryption(player);
	if(decryption.score < URGENT_PROMISE && FightHealer(player))
		return true;
	if(decryption.Found())
	{
		player.Click(decryption.position, "decrypt");
		return true;
	}
	if(player.Staying() >= CACHE_RESERVE && player.OpenCache(true))
		return true;
	return FightBestBlocker(player, true) || player.OpenCache(false) || player.DecryptFirst() ||
		FightBestBlocker(player, false);
}

// Ground still to decrypt may hold the item that turns the fight.
bool HintExplorer::SeekHelp(ScriptedPlayer &player)
{
	const Choice decryption = BestDecryption(player);
	if(!decryption.Found())
		return false;
	player.Click(decryption.position, "decrypt");
	return true;
}

void HintExplorer::Notice(const LevelView &view)
{
	hints.Notice(view);
}

void HintExplorer::ReadHint(const LevelView &view, GridPosition decrypted)
{
	const NodeView &node = view.At(decrypted);
	if(node.hint > 0 && !IsObjective(node.type))
		hints.Record(view, decrypted, node.hint);
}

// A standing Restoration Node heals with every move, itself included, so
// every decryption makes the fights ahead dearer: while it is cheap, it
// goes first.
bool HintExplorer::FightHealer(ScriptedPlayer &player)
{
	for(const GridPosition &p : player.Positions(REVEALED))
	{
		if(player.View().At(p).type != RESTORATION_NODE)
			continue;
		const FightForecast fight = player.Forecast(p);
		if(fight.Survives() && fight.DamageTaken() <= player.Staying() / 2)
			return player.Fight(p);
	}
	return false;
}

// An objective the hints leave no other place for goes before any other
// decryption, no hunch about it; so does fighting through to it while the
// virus would still beat a System Core there: the next node decrypted may
// be a Restoration Node that heals the blockers, or a Defense Subsystem
// that blocks the way a second time.
bool HintExplorer::GoForCertainty(ScriptedPlayer &player)
{
	for(const GridPosition &p : player.Positions(ENCRYPTED))
		if(hints.IsCertain(player.View(), p))
		{
			player.Click(p, "decrypt");
			return true;
		}
	for(const GridPosition &p : player.Positions(BLOCKED))
	{
		if(!hints.IsCertain(player.View(), p))
			continue;
		std::vector<GridPosition> blockers = player.BlockersOf(p);
		player.CheapestFirst(blockers);
		if(blockers.empty())
			continue;
		const FightCost cost = CostOfFights(player, blockers);
		if(cost.survivable && player.ForecastRevealing(SYSTEM_CORE, cost.after).Survives())
			return player.Fight(blockers.front());
	}
	return false;
}

// The blocked node whose ground is most promising for the coherence its
// blockers are expected to cost, fought open one blocker at a time, the
// cheapest first.
bool HintExplorer::FightBestBlocker(ScriptedPlayer &player, bool onlySurvivable)
{
	Choice best;
	GridPosition firstBlocker = {-1, -1};
	for(const GridPosition &p : player.Positions(BLOCKED))
	{
		std::vector<GridPosition> blockers = player.BlockersOf(p);
		if(blockers.empty())
			continue;
		player.CheapestFirst(blockers);
		const FightCost cost = CostOfFights(player, blockers);
		if(onlySurvivable && !cost.survivable)
			continue;
		const double worth = Judge(Promise(player, p)) / (1 + cost.coherence / COHERENCE_WEIGHT);
		if(!best.Found() || worth > best.score)
		{
			best = {p, worth};
			firstBlocker = blockers.front();
		}
	}
	return best.Found() && player.Fight(firstBlocker);
}

// The fights one after another, each starting from what the last one left.
HintExplorer::FightCost HintExplorer::CostOfFights(
	const ScriptedPlayer &player, const std::vector<GridPosition> &targets) const
{
	FightCost cost;
	Virus virus = player.Outlook();
	for(const GridPosition &target : targets)
	{
		const FightForecast fight = player.Forecast(target, player.View().At(target).coherence, virus);
		cost.coherence += std::max(0, fight.DamageTaken());
		cost.survivable = cost.survivable && fight.Survives();
		virus = fight.After();
	}
	cost.after = virus;
	return cost;
}

HintExplorer::Choice HintExplorer::BestDecryption(const ScriptedPlayer &player)
{
	Choice best;
	for(const GridPosition &p : player.Positions(ENCRYPTED))
	{
		const double promise = Judge(Promise(player, p));
		if(promise > 0 && (!best.Found() || promise > best.score))
			best = {p, promise};
	}
	return best;
}

// The engine behind minstd_rand is fixed by the standard, so the hunches
// are the same on every machine; the distributions are not, hence the
// plain scaling.
double HintExplorer::Judge(double promise)
{
	const double hunch = static_cast<double>(hunches() - hunches.min()) / (hunches.max() - hunches.min());
	return promise * (1 + HUNCH * hunch);
}

double HintExplorer::Promise(const ScriptedPlayer &player, GridPosition source) const
{
	const LevelView &view = player.View();
	int steps[GRID_COLUMNS][GRID_ROWS];
	for(auto &column : steps)
		std::fill(std::begin(column), std::end(column), -1);
	using Entry = std::pair<int, GridPosition>;
	auto later = [](const Entry &a, const Entry &b) { return a.first > b.first; };
	std::priority_queue<Entry, std::vector<Entry>, decltype(later)> open(later);
	steps[source.column][source.row] = 0;
	open.push({0, source});
	double promise = 0;
	while(!open.empty())
	{
		const auto [cost, here] = open.top();
		open.pop();
		if(cost > steps[here.column][here.row])
			continue;
		promise += hints.Chance(view, here) * FADE.fade[cost];
		for(const GridPosition &next : NeighboursOf(here))
		{
			const NodeView &node = view.At(next);
			if(!node.present || node.state == REVEALED)
				continue;
			const int through = cost + 1 + (player.IsGuarded(next) ? GUARDED_STEPS : 0);
			if(steps[next.column][next.row] < 0 || through < steps[next.column][next.row])
			{
				steps[next.column][next.row] = through;
				open.push({through, next});
			}
		}
	}
	return promise;
}
