#include "tools/mapgen/MapGrader.h"

#include "leveldata/MapAnalysis.h"
#include "tools/player/RulesGame.h"

namespace {
	// Early games decide most candidates: once this many are played, a
	// share of wins that points this far outside the band ends the
	// grading. It may turn away a map that would have scraped in, never let
	// one in.
	const int TELLING_GAMES = 6;
	const double FAR_ABOVE = 0.20;
	const double FAR_BELOW = 0.15;
	// A candidate not won once in this many games is taken as never won.
	const int HOPELESS_GAMES = 12;

	// The share of wins over all the seeds that the games so far point to.
	double Projected(int wins, int games)
	{
		return (wins + 0.5) / (games + 1);
	}
}

MapGrader::MapGrader(Difficulty difficulty) : difficulty(difficulty)
{}

MapGrade MapGrader::Grade(const MapRecord &map) const
{
	MapGrade grade;
	if(!FindMapFaults(map).empty())
		return grade;
	if(PlaySighted(map, grade) && PlayFullKnowledge(map, grade) && !Stopped())
		grade.verdict = Verdict::ACCEPTED;
	return grade;
}

bool MapGrader::PlaySighted(const MapRecord &map, MapGrade &grade) const
{
	const DifficultyBand band = BandOf(difficulty);
	const int fewest = band.FewestWins(SIGHTED_SEEDS);
	const int most = band.MostWins(SIGHTED_SEEDS);
	for(int seed = 1; seed <= SIGHTED_SEEDS && !Stopped(); ++seed)
	{
		const GameResult result = PlayOnRules(map, seed, GRADING_MOVE_LIMIT, Sight::SIGHTED);
		++grade.sightedGames;
		grade.sightedMoves += result.moves;
		grade.sightedWins += result.outcome == GameOutcome::WON;
		const double projected = Projected(grade.sightedWins, seed);
		const bool telling = seed >= TELLING_GAMES;
		if(grade.sightedWins > most || (telling && projected > band.mostShare + FAR_ABOVE))
		{
			grade.verdict = Verdict::TOO_EASY;
			return false;
		}
		if(grade.sightedWins + SIGHTED_SEEDS - seed < fewest || (telling && projected < band.fewestShare - FAR_BELOW) ||
			(grade.sightedWins == 0 && seed >= HOPELESS_GAMES))
		{
			grade.verdict = Verdict::TOO_HARD;
			return false;
		}
	}
	return true;
}

bool MapGrader::PlayFullKnowledge(const MapRecord &map, MapGrade &grade) const
{
	for(int seed = 1; seed <= FULL_KNOWLEDGE_SEEDS && !Stopped(); ++seed)
	{
		const GameResult result = PlayOnRules(map, seed, GRADING_MOVE_LIMIT, Sight::FULL_KNOWLEDGE);
		++grade.fullGames;
		grade.fullMoves += result.moves;
		grade.fullWins += result.outcome == GameOutcome::WON;
		if(grade.fullGames - grade.fullWins > FULL_KNOWLEDGE_SEEDS - FULL_KNOWLEDGE_WINS)
		{
			grade.verdict = Verdict::FULL_KNOWLEDGE_LOST;
			return false;
		}
	}
	return true;
}
