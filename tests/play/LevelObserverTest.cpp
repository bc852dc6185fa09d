#include "support/LevelFixture.h"
#include "support/MapLetters.h"

#include "leveldata/MapCode.h"
#include "play/LevelObserver.h"

#include <vector>

namespace {
	const int ENTER = 13;

	class Recorder : public LevelObserver {
	public:
		void MapSetUp(const Map &map) override { maps.push_back(map); }
		void LevelEnded(const Result &result) override { results.push_back(result); }

		std::vector<Map> maps;
		std::vector<Result> results;
	};

	// Three maps told apart by the node beside the start.
	const std::vector<std::vector<std::string>> THREE_MAPS = {{"h F C"}, {"h A C"}, {"h C"}};
}

class LevelReports : public LevelFixture {
protected:
	void SetUp() override
	{
		LevelFixture::SetUp();
		LevelGameState::SetObserver(&recorder);
	}
	void TearDown() override
	{
		LevelGameState::SetObserver(nullptr);
		LevelFixture::TearDown();
	}

	Recorder recorder;
};

// The code told is the map the level shows, at the place it has in DATA;
// a restart sets up a map again and ends nothing.
TEST_F(LevelReports, TheMapSetUpByItsPlaceAndCode)
{
	std::string data;
	for(const std::vector<std::string> &rows : THREE_MAPS)
		data += (data.empty() ? "" : "\n") + MapTextOfLetters(rows, 0, 0);
	for(unsigned seed = 1; seed <= 6; ++seed)
	{
		recorder.maps.clear();
		StartLevel(data, seed);
		ASSERT_EQ(recorder.maps.size(), 1u);
		const LevelObserver::Map &told = recorder.maps[0];
		ASSERT_GE(told.place, 0);
		ASSERT_LT(told.place, 3);
		EXPECT_EQ(told.count, 3);
		EXPECT_EQ(told.code, MapCode::Encode(MapOfLetters(THREE_MAPS[told.place], 0, 0)));
		EXPECT_EQ(level->GetRules().At({1, 0}).GetType(), MapOfLetters(THREE_MAPS[told.place], 0, 0).types[1][0]);
	}
	Click(0, 0);
	Key(ENTER);
	EXPECT_EQ(recorder.maps.size(), 2u);
	EXPECT_EQ(level->GetMoves(), 0);
	EXPECT_TRUE(recorder.results.empty());
}

// Start, decrypt the System Core, three attacks: five moves, two counters.
TEST_F(LevelReports, AWonLevelOnceWithWhatTheVirusHasLeft)
{
	StartLevel(MapTextOfLetters({"h C"}, 0, 0));
	for(int click = 0; click < 4; ++click)
		Click(click == 0 ? 0 : 1, 0);
	EXPECT_TRUE(recorder.results.empty());
	Click(1, 0);
	Click(1, 0);
	ASSERT_EQ(recorder.results.size(), 1u);
	const LevelObserver::Result &result = recorder.results[0];
	EXPECT_TRUE(result.won);
	EXPECT_EQ(result.coherence, 50);
	EXPECT_EQ(result.strength, 25);
	EXPECT_EQ(result.moves, 5);
}

// The first Anti-virus falls at its second attack; the second's first
// counter-attack takes the virus below zero on the sixth move.
TEST_F(LevelReports, ALostLevel)
{
	StartLevel(MapTextOfLetters({"h A A C"}, 0, 0));
	Click(0, 0);
	for(int click = 0; click < 3; ++click)
		Click(1, 0);
	Click(2, 0);
	EXPECT_TRUE(recorder.results.empty());
	Click(2, 0);
	ASSERT_EQ(recorder.results.size(), 1u);
	const LevelObserver::Result &result = recorder.results[0];
	EXPECT_FALSE(result.won);
	EXPECT_EQ(result.coherence, -10);
	EXPECT_EQ(result.moves, 6);
}
