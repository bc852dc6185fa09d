#ifndef VEXARIFT_TOOLS_PLAYER_FIGHTFORECAST_H
#define VEXARIFT_TOOLS_PLAYER_FIGHTFORECAST_H

// What the scripted player expects of the virus over the coming fights: its
// coherence, strength and the help it can count on (shield charges, Self
// Repair moves). A plain record so a forecast can run on a copy and the
// player can chain fights one after another.
struct VirusOutlook {
	int coherence = 0;
	int strength = 0;
	int shieldCharges = 0;
	int repairMoves = 0;
};

// One opponent as the player sees it once revealed. healPerMove is what the
// player fears the Restoration Nodes give it per move; the heal lands on a
// random target, so this is a cautious average, not a certainty.
struct Opponent {
	int coherence = 0;
	int strength = 0;
	int healPerMove = 0;
	bool suppressor = false;
};

// The player's own reckoning of a fight fought by plain attacks until the
// opponent falls. It only has to rank choices, so it ignores what chance
// adds; the real outcome always comes from the level itself.
class FightForecast {
public:
	FightForecast(const VirusOutlook &virus, const Opponent &opponent);

	bool Survives() const { return survives; }
	int Attacks() const { return attacks; }
	int DamageTaken() const { return damageTaken; }
	// The virus as it leaves the fight, for chaining the next one.
	const VirusOutlook &After() const { return after; }

private:
	void Run(Opponent opponent);

	VirusOutlook after;
	bool survives = false;
	int attacks = 0;
	int damageTaken = 0;
};

#endif
