#include "tools/player/LevelView.h"

#include "rules/LevelRules.h"

#include <algorithm>

namespace {
	NodeView Show(const NetworkNode &node, Sight sight)
	{
		NodeView view;
		view.state = node.GetState();
		// An EMPTY position is revealed from the start and never drawn.
		if(node.GetType() == EMPTY)
			return view;
		view.present = true;
		if(sight == Sight::SIGHTED && node.GetState() != REVEALED)
			return view;
		view.type = node.GetType();
		if(IsFighter(node.GetType()))
		{
			view.coherence = node.GetCoherence();
			view.strength = node.GetStrength();
		}
		return view;
	}
}

bool NodeView::operator==(const NodeView &other) const
{
	return present == other.present && state == other.state && type == other.type && coherence == other.coherence &&
		strength == other.strength && hint == other.hint;
}

bool LevelView::ShowsHiddenNodes() const
{
	for(const auto &column : nodes)
		for(const NodeView &node : column)
			if(node.present && node.state != REVEALED && node.type != UNSEEN_TYPE)
				return true;
	return false;
}

bool LevelView::operator==(const LevelView &other) const
{
	for(int slot = 0; slot < ItemInventory::SLOT_COUNT; ++slot)
		if(items.ItemAt(slot) != other.items.ItemAt(slot))
			return false;
	return nodes == other.nodes && virus.coherence == other.virus.coherence && virus.strength == other.virus.strength &&
		virus.shieldCharges == other.virus.shieldCharges && virus.selfRepairMoves == other.virus.selfRepairMoves &&
		secondaryVectorMoves == other.secondaryVectorMoves && selectingTarget == other.selectingTarget;
}

// A hint of 0 is a node that is itself an objective: the screen shows no
// number then, and none where no objective can be found.
LevelView LookAt(const LevelRules &rules, Sight sight, const MoveReport &lastMove)
{
	LevelView view;
	for(int column = 0; column < GRID_COLUMNS; ++column)
		for(int row = 0; row < GRID_ROWS; ++row)
			view.nodes[column][row] = Show(rules.At({column, row}), sight);
	for(const MoveEvent &event : lastMove.events)
		if(event.kind == MoveEventKind::HINT && event.value > 0)
			view.nodes[event.at.column][event.at.row].hint = std::min(event.value, LevelRules::HINT_LIMIT);
	view.virus = rules.GetVirus();
	view.items = rules.GetItems();
	view.secondaryVectorMoves = rules.GetSecondaryVectorMoves();
	view.selectingTarget = rules.GetSelectedSlot() != -1;
	return view;
}
