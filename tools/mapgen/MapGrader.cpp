#include "tools/mapgen/MapGrader.h"

#include "leveldata/MapAnalysis.h"
#include "leveldata/MapLoader.h"

namespace {
	const int MOVE_LIMIT = 200;
	// Early games decide most candidates: once this many are played, a
	// win count that points this far outside the band ends the grading.
	// It may turn away a map that would have scraped in, never let one in.
	const int TELLING_GAMES = 6;
	const double FAR_ABOVE = 4;
	const double FAR_BELOW = 3;
	// A candidate not won once in this many games is taken as never won.
	const int HOPELESS_GAMES = 12;

	// The wins over all the seeds that the games so far point to.
	double Projected(int wins, int games)
	{
		return SIGHTED_SEEDS * (wins + 0.5) / (games + 1);
	}
}

MapGrader::MapGrader(const std::string &assetDirectory, Difficulty difficulty)
	: session(assetDirectory), difficulty(difficulty)
{
}

MapGrade MapGrader::Grade(const MapRecord &map)
{
	MapGrade grade;
	if(!FindMapFaults(map).empty())
		return grade;
	const std::string dataText = FormatMapRecord(map);
	if(PlaySighted(dataText, grade) && PlayFullKnowledge(dataText, grade) && !Stopped())
		grade.verdict = Verdict::ACCEPTED;
	return grade;
}

bool MapGrader::PlaySighted(const std::string &dataText, MapGrade &grade)
{
	const DifficultyBand band = BandOf(difficulty);
	for(int seed = 1; seed <= SIGHTED_SEEDS && !Stopped(); ++seed)
	{
		const GameResult result = session.Play(dataText, seed, MOVE_LIMIT, PlayerKind::SIGHTED);
		++grade.sightedGames;
		grade.sightedMoves += result.moves;
		grade.sightedWins += result.outcome == GameOutcome::WON;
		const double projected = Projected(grade.sightedWins, seed);
		const bool telling = seed >= TELLING_GAMES;
		if(grade.sightedWins > band.mostWins || (telling && projected > band.mostWins + FAR_ABOVE))
		{
			grade.verdict = Verdict::TOO_EASY;
			return false;
		}
		if(grade.sightedWins + SIGHTED_SEEDS - seed < band.fewestWins
			|| (telling && projected < band.fewestWins - FAR_BELOW)
			|| (grade.sightedWins == 0 && seed >= HOPELESS_GAMES))
		{
			grade.verdict = Verdict::TOO_HARD;
			return false;
		}
	}
	return true;
}

bool MapGrader::PlayFullKnowledge(const std::string &dataText, MapGrade &grade)
{
	for(int seed = 1; seed <= FULL_KNOWLEDGE_SEEDS && !Stopped(); ++seed)
	{
		const GameResult result = session.Play(dataText, seed, MOVE_LIMIT);
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
