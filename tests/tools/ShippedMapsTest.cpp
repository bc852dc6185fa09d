#include "catalogue/MapCatalogue.h"
#include "leveldata/MapCode.h"
#include "leveldata/MapLoader.h"
#include "tools/mapgen/MapAppraisal.h"
#include "tools/mapgen/MapGrader.h"
#include "tools/player/MapSurvey.h"

#include <gtest/gtest.h>

namespace {
	// As vexarift-player plays by default.
	const int MOVE_LIMIT = 200;

	MapRecord RecordOf(const std::string &code)
	{
		MapRecord record;
		EXPECT_EQ(MapCode::Decode(code, record), "") << code;
		return record;
	}
}

// The catalogue's figures are what the players make of each map today: a
// change of the rules or the players that moves a map to another grade
// shows here.
TEST(ShippedMaps, TheCatalogueSaysHowHardEachMapIs)
{
	for(const CatalogueEntry &entry : MapCatalogue::Shipped())
	{
		const MapSurvey survey(FormatMapRecord(RecordOf(entry.code)));
		ASSERT_EQ(survey.Maps().size(), 1u);
		const SurveyedMap &map = survey.Maps().front();
		MapWinRate sighted = survey.Play(map, SIGHTED_SEEDS, MOVE_LIMIT, Sight::SIGHTED);
		MapWinRate full = survey.Play(map, SIGHTED_SEEDS, MOVE_LIMIT, Sight::FULL_KNOWLEDGE);
		EXPECT_EQ(sighted.wins, entry.sightedShare) << entry.name;
		EXPECT_EQ(full.wins, entry.fullShare) << entry.name;
		Difficulty difficulty;
		ASSERT_TRUE(ParseDifficulty(entry.grade, difficulty)) << entry.name;
		DifficultyBand band = BandOf(difficulty);
		EXPECT_GE(entry.sightedShare, band.FewestWins(SIGHTED_SEEDS)) << entry.name;
		EXPECT_LE(entry.sightedShare, band.MostWins(SIGHTED_SEEDS)) << entry.name;
	}
}

// The map editor's grade of a shipped map is the catalogue's, from the same
// sighted games; the full-knowledge player's ten games are the first ten of
// the catalogue's hundred.
TEST(ShippedMaps, TheEditorGradesEachMapAsTheCatalogueDoes)
{
	for(const CatalogueEntry &entry : MapCatalogue::Shipped())
	{
		MapAppraisal appraisal(RecordOf(entry.code));
		int games = 0;
		while(appraisal.PlayNext())
			++games;
		EXPECT_EQ(games + 1, MapAppraisal::GAMES) << entry.name;
		EXPECT_EQ(appraisal.Grade(), entry.grade) << entry.name;
		EXPECT_EQ(appraisal.SightedWins(), entry.sightedShare) << entry.name;
		EXPECT_GE(appraisal.FullWins(), FULL_KNOWLEDGE_WINS) << entry.name;
	}
}

TEST(ShippedMaps, EveryDailyMapGradesNormal)
{
	const MapGrader grader(Difficulty::NORMAL);
	for(const std::string &code : MapCatalogue::DailyCodes())
	{
		MapGrade grade = grader.Grade(RecordOf(code));
		EXPECT_EQ(grade.verdict, Verdict::ACCEPTED)
			<< code << ": sighted won " << grade.sightedWins << " of " << grade.sightedGames;
	}
}
