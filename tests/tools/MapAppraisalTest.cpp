#include "tools/mapgen/MapAppraisal.h"
#include "catalogue/MapCatalogue.h"
#include "leveldata/MapCode.h"

#include <gtest/gtest.h>

// One authored map of each grade, graded in full as the map editor grades
// it; e2e.ShippedMaps grades every shipped map so.
TEST(MapAppraisal, GradesAMapOfEachDifficultyAsTheCatalogueDoes)
{
	for(const char *name : {"authored-01", "authored-09", "authored-12"})
		for(const CatalogueEntry &entry : MapCatalogue::Shipped())
		{
			if(entry.name != name)
				continue;
			MapRecord record;
			ASSERT_EQ(MapCode::Decode(entry.code, record), "");
			MapAppraisal appraisal(record);
			while(appraisal.PlayNext())
				EXPECT_LT(appraisal.GamesPlayed(), MapAppraisal::GAMES);
			EXPECT_EQ(appraisal.GamesPlayed(), MapAppraisal::GAMES);
			EXPECT_EQ(appraisal.Grade(), entry.grade) << name;
			EXPECT_EQ(appraisal.SightedWins(), entry.sightedShare) << name;
		}
}

TEST(MapAppraisal, PlaysNoGameOnAMapTheCheckerTurnsAway)
{
	MapAppraisal noCore{MapRecord()};
	EXPECT_TRUE(noCore.Done());
	EXPECT_FALSE(noCore.PlayNext());
	EXPECT_EQ(noCore.GamesPlayed(), 0);
	EXPECT_EQ(noCore.Grade(), "not playable");
}
