#ifndef VEXARIFT_RULES_VIRUS_H
#define VEXARIFT_RULES_VIRUS_H

#include "leveldata/NodeType.h"

class NetworkNode;

// The player's virus: its coherence and strength, neither clamped, and the
// help its items leave running (shield charges, Self Repair moves). A plain
// value, so a player can play a fight out on a copy with the same steps the
// level takes.
struct Virus {
	static constexpr int STARTING_COHERENCE = 70;
	static constexpr int STARTING_STRENGTH = 25;
	// What a revealed Virus Suppressor takes from the strength, until hacked.
	static constexpr int SUPPRESSOR_PENALTY = 15;
	static constexpr int SELF_REPAIR_GAIN = 10;
	static constexpr int SELF_REPAIR_MOVES = 3;
	static constexpr int SHIELD_CHARGES = 2;

	enum class Blow {
		TARGET_FELL,
		SHIELDED,
		COUNTERED
	};

	int coherence = STARTING_COHERENCE;
	int strength = STARTING_STRENGTH;
	int shieldCharges = 0;
	int selfRepairMoves = 0;

	// One attack on a fighter: it loses the virus's strength and, if it
	// stands, strikes back with its own, unless a shield charge takes the
	// blow.
	Blow Attack(NetworkNode &target);
	bool IsDestroyed() const { return coherence <= 0; }

	// A node of the type has just been revealed, or hacked: a Virus
	// Suppressor weakens the virus from the one to the other.
	void NodeRevealed(int type)
	{
		if(type == VIRUS_SUPPRESSOR)
			strength -= SUPPRESSOR_PENALTY;
	}
	void NodeHacked(int type)
	{
		if(type == VIRUS_SUPPRESSOR)
			strength += SUPPRESSOR_PENALTY;
	}

	void StartSelfRepair() { selfRepairMoves += SELF_REPAIR_MOVES; }
	void RaiseShield() { shieldCharges += SHIELD_CHARGES; }
	// At the end of a move; false when no Self Repair is running.
	bool RepairOneMove();
};

#endif
