#ifndef VEXARIFT_TOOLS_PLAYER_LEVELVIEW_H
#define VEXARIFT_TOOLS_PLAYER_LEVELVIEW_H

#include "hud/ItemSlots.h"
#include "leveldata/GridPosition.h"
#include "rules/NodeState.h"

#include <array>
#include <string>

// The type a view gives a node that is not revealed: the screen shows the
// same picture whatever it holds.
constexpr int UNSEEN_TYPE = -1;

// One grid position as the screen shows it. A position without a node (an
// EMPTY one) shows nothing at all; every other node shows its state, and
// only a revealed one shows what it is and, if it fights, its two numbers.
struct NodeView {
	bool present = false;
	int state = HIDDEN;
	int type = UNSEEN_TYPE;
	int coherence = 0;
	int strength = 0;
	// The number floating off the node at this moment, if one is in sight.
	std::string floatingText;
	// The node's centre on the screen, where a click lands.
	int x = 0;
	int y = 0;

	bool operator==(const NodeView &other) const;
};

// Everything a person sees of a level at one moment: the network, the
// indicator's two values, the item slots and whether "Select target" is
// up. A plain copy: nothing in it leads back to the level.
struct LevelView {
	std::array<std::array<NodeView, kGridRows>, kGridColumns> nodes;
	int virusCoherence = 0;
	int virusStrength = 0;
	std::array<int, ItemSlots::SLOT_COUNT> items = {};
	// Where each slot sits, for clicking it.
	std::array<int, ItemSlots::SLOT_COUNT> slotX = {};
	std::array<int, ItemSlots::SLOT_COUNT> slotY = {};
	bool selectingTarget = false;

	const NodeView &At(GridPosition position) const { return nodes[position.column][position.row]; }
	bool operator==(const LevelView &other) const;
};

#endif
