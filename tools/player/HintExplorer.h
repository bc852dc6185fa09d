#ifndef VEXARIFT_TOOLS_PLAYER_HINTEXPLORER_H
#define VEXARIFT_TOOLS_PLAYER_HINTEXPLORER_H

#include "tools/player/HintLedger.h"
#include "tools/player/ScriptedPlayer.h"

#include <random>
#include <vector>

// The plan of a player who sees only the screen, as a careful newcomer
// plays: decryption is free, so it explores first, toward where the
// distance hints say an objective must lie; it fights only when nothing is
// left to decrypt, choosing the Defense Subsystem whose fall opens the most
// promising ground for the least coherence.
//
// Choices whose promise comes close are weighed with a little chance, a
// hunch drawn from the game's seed.
class HintExplorer : public PlayerPlan {
public:
	explicit HintExplorer(unsigned seed);

	bool Advance(ScriptedPlayer &player) override;
	bool SeekHelp(ScriptedPlayer &player) override;
	void Notice(const LevelView &view) override;
	void ReadHint(const LevelView &view, GridPosition decrypted) override;

private:
	struct FightCost {
		int coherence = 0;
		bool survivable = true;
		// The virus once the fights are over.
		Virus after;
	};

	struct Choice {
		GridPosition position = {-1, -1};
		double score = 0;

		bool Found() const { return position.column >= 0; }
	};

	bool FightHealer(ScriptedPlayer &player);
	bool GoForCertainty(ScriptedPlayer &player);
	bool FightBestBlocker(ScriptedPlayer &player, bool onlySurvivable);
	Choice BestDecryption(const ScriptedPlayer &player);
	FightCost CostOfFights(const ScriptedPlayer &player, const std::vector<GridPosition> &targets) const;
	// What exploring from a node promises: every unrevealed node's chance
	// of being an objective, fading with the decryptions needed to get
	// there.
	double Promise(const ScriptedPlayer &player, GridPosition source) const;
	// The promise as this player judges it, hunch included.
	double Judge(double promise);

	std::minstd_rand hunches;
	HintLedger hints;
};

#endif
