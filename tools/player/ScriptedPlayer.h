#ifndef VEXARIFT_TOOLS_PLAYER_SCRIPTEDPLAYER_H
#define VEXARIFT_TOOLS_PLAYER_SCRIPTEDPLAYER_H

#include "tools/player/FightForecast.h"
#include "tools/player/GameResult.h"
#include "tools/player/LevelView.h"

#include <cstdio>
#include <memory>
#include <vector>

class PlayedGame;
class ScriptedPlayer;

// How a player finds its way onward, which is what knowing the map
// changes: one who knows it plans a route, one who sees only the screen
// explores by the hints. Fighting, items and Data Caches are the player's
// own, the same for both.
class PlayerPlan {
public:
	virtual ~PlayerPlan() = default;

	// The move when no System Core is in sight and no item waits to be
	// taken; false when nothing is worth doing.
	virtual bool Advance(ScriptedPlayer &player) = 0;
	// A move toward help before a System Core fight the virus looks set to
	// lose; false when there is none to seek.
	virtual bool SeekHelp(ScriptedPlayer &player) = 0;
	// The view at the start and after every move.
	virtual void Notice(const LevelView &) {}
	// The view right after decrypting a node, with its hint.
	virtual void ReadHint(const LevelView &, GridPosition) {}
};

// Plays one level to its end the way a careful player would, knowing what
// its view of the level shows and nothing more: it heads for the System
// Core, fights only what stands in the way, weighs every fight by the
// numbers before starting it and reaches for its items where they turn
// one. A view that shows the whole map gets a plan that routes over it;
// one that shows only the screen, a plan that explores by the hints.
//
// Like a person, the sighted player has no reason to prefer one of two
// ways that look alike, and a hunch drawn from the seed tips the balance,
// so over many seeds it stands for many careful people.
class ScriptedPlayer {
public:
	// The game is borrowed and must outlive the player.
	ScriptedPlayer(PlayedGame &game, unsigned seed);
	~ScriptedPlayer();

	// Ends won, lost, or stuck: nothing sensible left, or moveLimit moves
	// made without an end.
	GameResult Play(int moveLimit);
	// Every move, one line each; null keeps quiet.
	void SetTrace(FILE *trace) { this->trace = trace; }

	// What the plans build on.
	const LevelView &View() const { return view; }
	// A move on a node, named for the trace.
	void Click(GridPosition position, const char *what);
	bool PickUpItem();
	// A Data Cache with nothing unrevealed around it cannot block anything
	// when it opens into a Defense Subsystem: the harmless gamble.
	bool OpenCache(bool onlyHarmless);
	// Attacks the target, first using the items that make this fight cheaper.
	bool Fight(GridPosition target);
	// The first encrypted node, for want of anything better.
	bool DecryptFirst();

	// A revealed opponent as it stands; one still to be revealed, where the
	// view tells what it is, with the values it will show and with what
	// revealing it does to the virus and to the Restoration Nodes' work.
	// strengthLoss weakens the virus for a what-if.
	FightForecast Forecast(GridPosition target, int strengthLoss = 0) const;
	FightForecast Forecast(GridPosition target, int coherence, const Virus &virus) const;
	// A fight with a fighter of the type as it would be revealed now.
	FightForecast ForecastRevealing(int type, Virus virus) const;
	// The virus with its items still in the slots counted as used, since
	// the player will use them before it is too late.
	Virus Outlook() const;
	// What the virus can still take, counting the Self Repair under way.
	int Staying() const;
	// The standing Defense Subsystems that keep a node blocked.
	std::vector<GridPosition> BlockersOf(GridPosition position) const;
	// Whether any stands beside the node.
	bool IsGuarded(GridPosition position) const { return guarded[position.column][position.row]; }
	void CheapestFirst(std::vector<GridPosition> &opponents) const;
	// The nodes in a state, in grid order; good until the next click.
	const std::vector<GridPosition> &Positions(int state) const { return positions[state]; }
	bool IsTarget(GridPosition position) const;

private:
	bool TakeTurn();
	bool FightCore(GridPosition core);
	bool UseItemOn(GridPosition target);
	void RaiseShieldAgainst(GridPosition target);
	void UseSelfRepair();
	void ClickSlot(int slot);
	// Each standing Restoration Node heals one random target per move;
	// spread over the targets, rounded up to stay on the careful side.
	int HealPerMove(int extraTargets, int extraHealers) const;

	// The view after a click, with what the player reads off it at once.
	void See();

	PlayedGame &game;
	std::unique_ptr<PlayerPlan> plan;
	LevelView view;
	std::vector<GridPosition> positions[REVEALED + 1];
	bool guarded[GRID_COLUMNS][GRID_ROWS] = {};
	int healers = 0;
	int targets = 0;
	int moves = 0;
	FILE *trace = nullptr;
};

#endif
