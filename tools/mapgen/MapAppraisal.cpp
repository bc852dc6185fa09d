#include "tools/mapgen/MapAppraisal.h"

#include "leveldata/MapAnalysis.h"
#include "tools/mapgen/MapGrader.h"
#include "tools/player/RulesGame.h"

namespace {
	const Difficulty EASIEST_FIRST[] = {Difficulty::EASY, Difficulty::NORMAL, Difficulty::HARD};

	bool InBand(Difficulty difficulty, int wins)
	{
		const DifficultyBand band = BandOf(difficulty);
		return wins >= band.FewestWins(SIGHTED_SEEDS) && wins <= band.MostWins(SIGHTED_SEEDS);
	}

	// A sighted share in no band: below the hardest, or in a gap between two.
	std::string OutsideBands(int wins)
	{
		if(wins == 0)
			return "too hard: the sighted player never wins";
		const int fewest = BandOf(Difficulty::HARD).FewestWins(SIGHTED_SEEDS);
		if(wins < fewest)
			return "too hard: the sighted player wins fewer than " + std::to_string(fewest) + " of " +
				std::to_string(SIGHTED_SEEDS);
		const bool aboveNormal = wins > BandOf(Difficulty::NORMAL).MostWins(SIGHTED_SEEDS);
		return std::string("between ") + NameOf(aboveNormal ? Difficulty::NORMAL : Difficulty::HARD) + " and " +
			NameOf(aboveNormal ? Difficulty::EASY : Difficulty::NORMAL);
	}
}

MapAppraisal::MapAppraisal(const MapRecord &map) : map(map), faulty(!FindMapFaults(map).empty())
{}

bool MapAppraisal::PlayNext()
{
	if(Done())
		return false;
	// The generator's order: the sighted seeds, then the full-knowledge ones.
	const bool sighted = played < SIGHTED_SEEDS;
	const unsigned seed = sighted ? played + 1 : played - SIGHTED_SEEDS + 1;
	const GameResult result =
		PlayOnRules(map, seed, GRADING_MOVE_LIMIT, sighted ? Sight::SIGHTED : Sight::FULL_KNOWLEDGE);
	const bool won = result.outcome == GameOutcome::WON;
	(sighted ? sightedWins : fullWins) += won;
	++played;
	return !Done();
}

std::string MapAppraisal::Grade() const
{
	if(faulty)
		return "not playable";
	for(Difficulty difficulty : EASIEST_FIRST)
		if(InBand(difficulty, sightedWins))
			return fullWins < FULL_KNOWLEDGE_WINS ? "too hard: the full-knowledge player cannot win"
												  : NameOf(difficulty);
	return OutsideBands(sightedWins);
}
