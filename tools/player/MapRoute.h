#ifndef VEXARIFT_TOOLS_PLAYER_MAPROUTE_H
#define VEXARIFT_TOOLS_PLAYER_MAPROUTE_H

#include "tools/player/ScriptedPlayer.h"

// The plan of a player who knows the map, as one who has played it before
// would: what stands where, and so which way to the System Core crosses
// the fewest and cheapest fights, and where the items lie. What a Data
// Cache holds it cannot know.
class MapRoute : public PlayerPlan {
public:
	bool Advance(ScriptedPlayer &player) override;
	bool SeekHelp(ScriptedPlayer &player) override;

private:
	// A node next to the revealed network that the player could work on,
	// and what the way from it to a goal is expected to cost.
	struct Step {
		GridPosition position = {-1, -1};
		int cost = 0;

		bool Found() const { return position.column >= 0; }
	};

	// The cheapest way onward to a node that satisfies isGoal: every
	// position's cost to a goal, by a shortest-path search from the goals
	// outward, then the cheapest node at the edge of the revealed network.
	template<typename Goal> Step BestStep(const ScriptedPlayer &player, Goal isGoal) const;
	Step ToCore(const ScriptedPlayer &player) const;
	Step ToItem(const ScriptedPlayer &player) const;
	// What entering a node costs: a move to decrypt it, plus the coherence
	// every fight on the way is expected to take.
	int PassCost(const ScriptedPlayer &player, GridPosition position) const;
	int FightCost(const ScriptedPlayer &player, GridPosition position) const;
	bool CanRiskCache(const ScriptedPlayer &player, const Step &toCore) const;
	bool Take(ScriptedPlayer &player, const Step &step) const;
};

#endif
