#ifndef VEXARIFT_TOOLS_PLAYER_HINTLEDGER_H
#define VEXARIFT_TOOLS_PLAYER_HINTLEDGER_H

#include "tools/player/LevelView.h"

#include <vector>

// What a careful person makes of the distance hints. The number floating
// off a decrypted node is its distance to the nearest System Core, item or
// Data Cache, counted over every node of the network, which the screen
// shows; 5 means 5 or more. So a hint d rules out an objective anywhere
// nearer than d, and, below 5, promises one at exactly d.
//
// The ledger keeps those two kinds of knowledge and turns them into a
// chance per unrevealed node. Types never change under cover, so what was
// ruled out stays ruled out until the node is revealed.
class HintLedger {
public:
	HintLedger();

	// Call after every move: remembers which nodes turned out to be
	// objectives when they were revealed, which keeps every promise of an
	// objective at that distance.
	void Notice(const LevelView &view);
	// A hint read off the node at decrypted, in the view right after it.
	void Record(const LevelView &view, GridPosition decrypted, int hint);
	// How likely an unrevealed node is to hold an objective; 0 for what the
	// hints rule out and for revealed nodes.
	double Chance(const LevelView &view, GridPosition position) const;
	// Whether a hint leaves no other place for its objective.
	bool IsCertain(const LevelView &view, GridPosition position) const;

private:
	struct Promise {
		std::vector<GridPosition> candidates;
	};

	bool Kept(const Promise &promise) const;
	// The candidates still open: unrevealed and not ruled out.
	long OpenCount(const LevelView &view, const Promise &promise) const;
	bool Holds(const Promise &promise, GridPosition position) const;

	bool ruledOut[GRID_COLUMNS][GRID_ROWS] = {};
	bool revealedObjective[GRID_COLUMNS][GRID_ROWS] = {};
	bool noticed[GRID_COLUMNS][GRID_ROWS] = {};
	std::vector<Promise> promises;
};

// Steps from source to every node over the nodes of the network, whatever
// their state, as the distance hint counts them; -1 where there is no way.
std::array<std::array<int, GRID_ROWS>, GRID_COLUMNS> NetworkDistances(const LevelView &view, GridPosition source);

#endif
