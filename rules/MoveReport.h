#ifndef VEXARIFT_RULES_MOVEREPORT_H
#define VEXARIFT_RULES_MOVEREPORT_H

#include "leveldata/GridPosition.h"

#include <vector>

// What one change to a level did, in the order the rules did it, so a front
// end can show each thing as it happened: the game repaints nodes, floats
// numbers and sends out markers in this order, and the players read what
// the screen would show.
enum class MoveEventKind {
	// A node decrypted (set REVEALED).
	REVEALED,
	// A hidden neighbour of the decrypted node made ENCRYPTED; value: the
	// virus marker, counted from 0 in this move, that flies to it.
	UNCOVERED,
	// Set BLOCKED: a revealed Defense Subsystem stands beside it.
	BLOCKED,
	// Set ENCRYPTED on a check of its blocking: none stands beside it.
	UNBLOCKED,
	// A Data Cache opened; value: what it holds now.
	OPENED,
	// Set HACKED: a fighter fell, or an item was taken.
	HACKED,
	// Coherence lost; value: how much, from an attack or an item.
	DAMAGED,
	// Coherence gained from a Restoration Node; value: how much.
	HEALED,
	// The node struck back; value: the coherence the virus lost.
	COUNTERED,
	// A shield charge took the node's blow.
	SHIELDED,
	// The distance hint of a decrypted node; value: the steps to the nearest
	// objective, or -1 when there is none.
	HINT,
	// An item taken into a slot; value: the slot.
	PICKED_UP,
	// An item used up; value: its slot.
	ITEM_USED,
	// A target chosen for an item that is neither Kernel Rot nor Secondary
	// Vector.
	UNKNOWN_ITEM,
	WON,
	LOST,
};

struct MoveEvent {
	MoveEventKind kind;
	GridPosition at;
	int value;
};

struct MoveReport {
	// A move the rules took: the defence and the running items had their
	// turn. A refused click and the use of a slot are not moves.
	bool moved = false;
	std::vector<MoveEvent> events;

	void Add(MoveEventKind kind, GridPosition at, int value = 0) { events.push_back({kind, at, value}); }
	// The first event of the kind, or null.
	const MoveEvent *Find(MoveEventKind kind) const;
	bool Has(MoveEventKind kind) const { return Find(kind) != nullptr; }
};

#endif
