#ifndef VEXARIFT_TOOLS_PLAYER_SCRIPTEDPLAYER_H
#define VEXARIFT_TOOLS_PLAYER_SCRIPTEDPLAYER_H

#include "tools/player/FightForecast.h"
#include "tools/player/GameResult.h"

#include <cstdio>
#include <vector>

class LevelGameState;
class NodeObject;
class VexaRiftEngine;

// Plays one level to its end the way a careful player would: it heads for
// the System Core, fights only what stands in the way, and reaches for its
// items before the hard fights.
//
// It knows the map, as a player who has played it before would: what
// stands where, and so which way to the System Core crosses the fewest and
// cheapest fights, and where the items lie. What a Data Cache holds it
// cannot know. Every move goes through the engine's mouse hook, exactly as
// a click would, and everything it knows of the game it reads through the
// level's accessors.
//
// Ticks are driven directly, one after every move, so the end screen takes
// over as soon as the level asks for it; nothing sleeps.
class ScriptedPlayer {
public:
	// The level must be the engine's current state.
	ScriptedPlayer(VexaRiftEngine *engine, LevelGameState *level);

	// A game ends won, lost, or stuck: no sensible move left, or moveLimit
	// moves made without an end.
	GameResult Play(int moveLimit);

	// Every move and its effect on the virus go here, one line each, for a
	// map author who wants to see how a game went. Null keeps quiet.
	void SetTrace(FILE *trace) { this->trace = trace; }

private:
	// A node next to the revealed network that the player could work on,
	// and what the way from it to a goal is expected to cost.
	struct Step {
		NodeObject *node = nullptr;
		int cost = 0;
	};

	// Makes one move; false when there is nothing worth doing.
	bool TakeTurn();
	bool FightCore();
	bool PickUpItem();
	bool OpenCache(bool onlyHarmless);
	bool Explore();
	bool Take(const Step &step);
	bool CanRiskCache(const Step &toCore) const;
	int Staying() const;

	// The cheapest way onward to a node that satisfies isGoal: every
	// position's cost to a goal, by a shortest-path search from the goals
	// outward, then the cheapest node at the edge of the revealed network.
	template<typename Goal> Step BestStep(Goal isGoal) const;
	// What entering a node costs: a move to decrypt it, plus the coherence
	// every fight on the way is expected to take.
	int PassCost(NodeObject *node) const;
	int FightCost(NodeObject *node) const;
	bool IsCoreGoal(const NodeObject *node) const;
	bool IsItemGoal(const NodeObject *node) const;

	// Attacks the target, first using the items that make this fight cheaper.
	bool Fight(NodeObject *target);
	bool UseItemOn(NodeObject *target);
	void RaiseShieldAgainst(NodeObject *target);
	void UseSelfRepair();

	// strengthLoss weakens the virus for a what-if.
	FightForecast Forecast(NodeObject *target, int strengthLoss = 0) const;
	FightForecast ForecastWithCoherence(NodeObject *target, int coherence, const VirusOutlook &virus) const;
	VirusOutlook Outlook() const;
	int HealPerMove(int extraTargets, int extraHealers) const;
	std::vector<NodeObject *> BlockersOf(NodeObject *node) const;

	NodeObject *Core() const;
	NodeObject *RevealedCore() const;
	std::vector<NodeObject *> NodesIn(int state) const;
	bool IsTarget(const NodeObject *node) const;
	int SlotHolding(int item) const;
	int HeldCount(int item) const;
	bool HasFreeSlot() const;

	void ClickNode(const NodeObject *node);
	void Trace(const char *what, const NodeObject *node) const;
	void ClickSlot(int slot);
	void Tick();
	bool LevelEnded() const;

	VexaRiftEngine *engine;
	LevelGameState *level;
	int moves = 0;
	FILE *trace = nullptr;
};

#endif
