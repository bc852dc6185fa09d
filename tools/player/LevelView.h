#ifndef VEXARIFT_TOOLS_PLAYER_LEVELVIEW_H
#define VEXARIFT_TOOLS_PLAYER_LEVELVIEW_H

#include "leveldata/GridPosition.h"
#include "rules/ItemInventory.h"
#include "rules/NodeState.h"
#include "rules/Virus.h"

#include <array>

class LevelRules;
struct MoveReport;

// The type a sighted view gives a node that is not revealed: the screen
// shows the same picture whatever it holds.
constexpr int UNSEEN_TYPE = -1;

// How much of the level a player is shown: what a person sees on the
// screen, or everything, as for one who has played the map before.
enum class Sight {
	SIGHTED,
	FULL_KNOWLEDGE
};

// One grid position as the player is shown it. A position without a node
// (an EMPTY one) shows nothing at all; every other node shows its state,
// and in sight of a person only a revealed one shows what it is and, if it
// fights, its two numbers.
struct NodeView {
	bool present = false;
	int state = HIDDEN;
	int type = UNSEEN_TYPE;
	int coherence = 0;
	int strength = 0;
	// The distance hint floating off the node just decrypted, as the
	// screen shows it; 0 for none.
	int hint = 0;

	bool operator==(const NodeView &other) const;
};

// Everything a player is shown of a level at one moment: the network, the
// virus, the item slots and whether "Select target" is up. The virus's
// shield charges and Self Repair moves and the Secondary Vector's moves are
// not on the screen, but whoever used those items knows what is left of
// them. A plain copy: nothing in it leads back to the level.
struct LevelView {
	std::array<std::array<NodeView, GRID_ROWS>, GRID_COLUMNS> nodes;
	Virus virus;
	ItemInventory items;
	int secondaryVectorMoves = 0;
	bool selectingTarget = false;

	const NodeView &At(GridPosition position) const { return nodes[position.column][position.row]; }
	// Whether the view tells what unrevealed nodes are: only a view that
	// masks nothing does.
	bool ShowsHiddenNodes() const;
	bool operator==(const LevelView &other) const;
};

// The level as the rules have it, shown to the given sight; the hints are
// those of lastMove, the move that led here.
LevelView LookAt(const LevelRules &rules, Sight sight, const MoveReport &lastMove);

#endif
