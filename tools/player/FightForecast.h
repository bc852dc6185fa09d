#ifndef VEXARIFT_TOOLS_PLAYER_FIGHTFORECAST_H
#define VEXARIFT_TOOLS_PLAYER_FIGHTFORECAST_H

#include "rules/NetworkNode.h"
#include "rules/Virus.h"

// One opponent as the player expects to meet it. healPerMove is what the
// player fears the Restoration Nodes give it per move; the heal lands on a
// random target, so this is a cautious average, not a certainty.
struct Opponent {
	NetworkNode node;
	int healPerMove = 0;
};

// The player's own reckoning of a fight fought by plain attacks until the
// opponent falls, played out on copies with the level's own attack,
// counter-attack and Self Repair steps. The virus comes with the help the
// player can count on (shield charges, Self Repair moves), its items still
// in the slots included. It only has to rank choices, so it ignores what
// chance adds; the real outcome always comes from the level itself.
class FightForecast {
public:
	FightForecast(const Virus &virus, const Opponent &opponent);

	bool Survives() const { return survives; }
	int Attacks() const { return attacks; }
	int DamageTaken() const { return damageTaken; }
	// The virus as it leaves the fight, for chaining the next one.
	const Virus &After() const { return after; }

private:
	void Run(Opponent opponent);

	Virus after;
	bool survives = false;
	int attacks = 0;
	int damageTaken = 0;
};

#endif
