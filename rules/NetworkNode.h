#ifndef VEXARIFT_RULES_NETWORKNODE_H
#define VEXARIFT_RULES_NETWORKNODE_H

#include "leveldata/NodeType.h"
#include "rules/NodeState.h"

// One node as the rules see it: what it is, how much of it the player sees,
// and, for a fighter (a Defense Subsystem or the System Core), its coherence
// and strength. Type and state are plain ints, as the map and the screens
// pass them around.
//
// A fighter takes its starting values each time it is set revealed or its
// type is set while revealed, so a Data Cache that opens into one starts it
// fresh; once hacked a node keeps its last coherence.
//
// Every change goes through the mutators, which count it: whoever shows the
// node tells from the count that it must be shown again, whatever the change.
class NetworkNode {
public:
	int GetType() const { return type; }
	int GetState() const { return state; }
	int GetCoherence() const { return coherence; }
	int GetStrength() const { return strength; }
	// Grows with every call of a mutator; never goes back, not even when the
	// node is reset.
	unsigned GetChanges() const { return changes; }

	// A node of the type, hidden, as a fresh map has it.
	void Reset(int newType);
	// An EMPTY node is revealed at once: there is nothing to find there.
	void SetType(int newType);
	void SetState(int newState);
	// Unbounded both ways: a negative amount heals. True when the coherence
	// is then 0 or less.
	bool TakeDamage(int amount);
	// A revealed fighter: what can be attacked, and what Kernel Rot,
	// Secondary Vector and the Restoration Nodes work on.
	bool IsTarget() const { return IsTarget(type, state); }
	static bool IsTarget(int type, int state) { return state == REVEALED && IsFighter(type); }
	// A revealed Defense Subsystem blocks every neighbour not yet revealed.
	bool Blocks() const { return Blocks(type, state); }
	static bool Blocks(int type, int state) { return state == REVEALED && IsDefenseSubsystem(type); }

	// A node standing as given, for a player that plays a fight out on a
	// copy.
	static NetworkNode Standing(int type, int coherence, int strength);

	// The values a fighter of this type starts with; false for any other type.
	static bool StartingValues(int type, int &coherence, int &strength);

private:
	void TakeStartingValues();

	int type = EMPTY;
	int state = HIDDEN;
	int coherence = 0;
	int strength = 0;
	unsigned changes = 0;
};

#endif
