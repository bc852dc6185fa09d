#include "tools/player/HintLedger.h"

#include "leveldata/NodeType.h"
#include "rules/LevelRules.h"

#include <algorithm>

namespace {
	// Without a hint about it, a node is an objective about this often on
	// the maps the game ships.
	const double PRIOR_CHANCE = 0.12;

	bool IsUnrevealed(const NodeView &node)
	{
		return node.present && node.state != REVEALED;
	}
}

LevelRules::Steps NetworkDistances(const LevelView &view, GridPosition source)
{
	return LevelRules::StepsFrom(source, [&view](GridPosition p) { return view.At(p).present; });
}

HintLedger::HintLedger() = default;

void HintLedger::Notice(const LevelView &view)
{
	for(int column = 0; column < GRID_COLUMNS; ++column)
		for(int row = 0; row < GRID_ROWS; ++row)
		{
			const NodeView &node = view.nodes[column][row];
			if(noticed[column][row] || !node.present || node.state != REVEALED)
				continue;
			noticed[column][row] = true;
			revealedObjective[column][row] = IsObjective(node.type);
		}
}

void HintLedger::Record(const LevelView &view, GridPosition decrypted, int hint)
{
	const auto distance = NetworkDistances(view, decrypted);
	Promise promise;
	// The hint shows no more than its limit: that many means as many or more.
	bool promiseKept = hint >= LevelRules::HINT_LIMIT;
	for(int column = 0; column < GRID_COLUMNS; ++column)
		for(int row = 0; row < GRID_ROWS; ++row)
		{
			const int d = distance[column][row];
			const NodeView &node = view.nodes[column][row];
			if(d < 0)
				continue;
			if(IsUnrevealed(node) && d < hint)
				ruledOut[column][row] = true;
			if(d != hint)
				continue;
			if(IsUnrevealed(node))
				promise.candidates.push_back({column, row});
			else if(node.present && IsObjective(node.type))
				promiseKept = true;
		}
	if(!promiseKept)
		promises.push_back(promise);
}

bool HintLedger::Kept(const Promise &promise) const
{
	return std::any_of(promise.candidates.begin(), promise.candidates.end(),
		[this](GridPosition p) { return revealedObjective[p.column][p.row]; });
}

long HintLedger::OpenCount(const LevelView &view, const Promise &promise) const
{
	return std::count_if(promise.candidates.begin(), promise.candidates.end(),
		[&](GridPosition p) { return IsUnrevealed(view.At(p)) && !ruledOut[p.column][p.row]; });
}

bool HintLedger::Holds(const Promise &promise, GridPosition position) const
{
	return std::find(promise.candidates.begin(), promise.candidates.end(), position) != promise.candidates.end();
}

double HintLedger::Chance(const LevelView &view, GridPosition position) const
{
	if(!IsUnrevealed(view.At(position)) || ruledOut[position.column][position.row])
		return 0;
	double chance = PRIOR_CHANCE;
	for(const Promise &promise : promises)
		if(!Kept(promise) && Holds(promise, position))
			chance += 1.0 / std::max<long>(1, OpenCount(view, promise));
	return std::min(1.0, chance);
}

bool HintLedger::IsCertain(const LevelView &view, GridPosition position) const
{
	if(!IsUnrevealed(view.At(position)) || ruledOut[position.column][position.row])
		return false;
	return std::any_of(promises.begin(), promises.end(), [&](const Promise &promise) {
		return !Kept(promise) && Holds(promise, position) && OpenCount(view, promise) == 1;
	});
}
