#ifndef VEXARIFT_TOOLS_PLAYER_SIGHTEDPLAYER_H
#define VEXARIFT_TOOLS_PLAYER_SIGHTEDPLAYER_H

#include "tools/player/FightForecast.h"
#include "tools/player/GameResult.h"
#include "tools/player/HintLedger.h"
#include "tools/player/LevelView.h"

#include <cstdio>
#include <random>
#include <vector>

class LevelWindow;

// Plays one level knowing only what a person sees on the screen. It holds
// no level, only a LevelWindow, whose views leave out the type of every
// node not yet revealed; so it cannot peek, whatever it tries.
//
// It plays as a careful newcomer: decryption is free, so it explores first,
// toward where the distance hints say an objective must lie; it fights only
// when nothing is left to decrypt, choosing the Defense Subsystem whose
// fall opens the most promising ground for the least coherence; it weighs
// every fight by the numbers on the screen before starting it and spends
// its items where they turn one. What the screen does not show of its own
// items (shield charges left, Self Repair and Secondary Vector still
// running) it remembers, as a person would.
//
// Like a person, it has no reason to prefer one of two ways that look
// alike, and a hunch tips the balance: choices whose promise comes close
// are weighed with a little chance, drawn from the game's seed. So the
// player stands for many careful people, and how often it wins says how
// many of them would find the way.
class SightedPlayer {
public:
	SightedPlayer(LevelWindow &window, unsigned seed);

	// Ends won, lost, or stuck: nothing sensible left, or moveLimit moves.
	GameResult Play(int moveLimit);
	// Every move, one line each; null keeps quiet.
	void SetTrace(FILE *trace) { this->trace = trace; }

private:
	struct FightCost {
		int coherence = 0;
		bool survivable = true;
	};

	struct Choice {
		GridPosition position = {-1, -1};
		double score = 0;

		bool Found() const { return position.column >= 0; }
	};

	// Makes one move; false when there is nothing worth doing.
	bool TakeTurn();
	bool FightCore(GridPosition core);
	bool FightHealer();
	bool PickUpItem();
	bool OpenCache(bool onlyHarmless);
	bool FightBestBlocker(bool onlySurvivable);
	Choice BestDecryption();
	bool DecryptAnything();

	// What exploring from these nodes promises: every unrevealed node's
	// chance of being an objective, fading with the decryptions needed to
	// get there.
	double Promise(const std::vector<GridPosition> &sources) const;
	std::vector<GridPosition> BlockersOf(GridPosition position) const;

	bool Fight(GridPosition target);
	bool UseItemOn(GridPosition target);
	void RaiseShieldAgainst(GridPosition target);
	void UseSelfRepair();

	FightCost CostOfFights(const std::vector<GridPosition> &targets) const;
	FightForecast Forecast(GridPosition target, int coherence, const VirusOutlook &virus) const;
	FightForecast Forecast(GridPosition target) const;
	VirusOutlook Outlook() const;
	int HealPerMove() const;
	int Staying() const;

	bool IsTarget(GridPosition position) const;
	std::vector<GridPosition> Positions(int state) const;
	int SlotHolding(int item) const;
	int HeldCount(int item) const;
	bool HasFreeSlot() const;

	// A move on a node, and what the player learns from it.
	void ClickNode(GridPosition position, const char *what);
	void ClickSlot(int slot);
	void ReadHint(GridPosition decrypted);

	// The promise as this player judges it, hunch included.
	double Judge(double promise);

	LevelWindow &window;
	std::minstd_rand hunches;
	LevelView view;
	HintLedger hints;
	int shieldCharges = 0;
	int repairMoves = 0;
	int vectorMoves = 0;
	bool applyingItem = false;
	int moves = 0;
	FILE *trace = nullptr;
};

#endif
