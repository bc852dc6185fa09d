#include "MapTestSupport.h"

#include "catalogue/MapCatalogue.h"
#include "leveldata/MapCode.h"
#include "leveldata/MapLoader.h"

#include <fstream>
#include <iterator>

namespace {

	std::vector<std::unique_ptr<MapRecord>> ShippedRecords()
	{
		std::ifstream in(VEXARIFT_TEST_SOURCE_DIR "/../assets/DATA");
		RecordingListener listener;
		ReadMapFile(in, listener);
		return std::move(listener.maps);
	}

	std::string RoundTrip(const std::string &code)
	{
		MapRecord record;
		std::string problem = MapCode::Decode(code, record);
		return problem.empty() ? MapCode::Encode(record) : problem;
	}

	const std::string &AShippedCode()
	{
		return MapCatalogue::Shipped().front().code;
	}

	std::string DecodeProblem(const std::string &code)
	{
		MapRecord record;
		return MapCode::Decode(code, record);
	}

} // namespace

TEST(MapCode, EveryShippedAndDailyMapComesBackExactly)
{
	std::vector<std::unique_ptr<MapRecord>> shipped = ShippedRecords();
	ASSERT_EQ(shipped.size(), 60u);
	for(const auto &record : shipped)
	{
		std::string code = MapCode::Encode(*record);
		EXPECT_EQ(code.size(), static_cast<size_t>(MapCode::LENGTH));
		EXPECT_EQ(code.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_"),
			std::string::npos);
		MapRecord decoded;
		ASSERT_EQ(MapCode::Decode(code, decoded), "");
		EXPECT_EQ(FormatMapRecord(decoded), FormatMapRecord(*record));
	}
	for(const std::string &code : MapCatalogue::DailyCodes())
		EXPECT_EQ(RoundTrip(code), code);
}

TEST(MapCode, EveryMistypedCharacterIsCaught)
{
	const std::string code = AShippedCode();
	const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";
	for(size_t place = 0; place < code.size(); ++place)
		for(char other : alphabet)
		{
			if(other == code[place])
				continue;
			std::string mistyped = code;
			mistyped[place] = other;
			EXPECT_NE(DecodeProblem(mistyped), "") << mistyped;
		}
	for(size_t place = 0; place + 1 < code.size(); ++place)
	{
		std::string swapped = code;
		std::swap(swapped[place], swapped[place + 1]);
		if(swapped == code)
			continue;
		EXPECT_NE(DecodeProblem(swapped), "") << swapped;
	}
}

TEST(MapCode, EachWrongCodeSaysWhatIsWrong)
{
	const std::string code = AShippedCode();
	EXPECT_EQ(DecodeProblem(""), "the map code is empty");
	EXPECT_EQ(DecodeProblem(code.substr(0, 40)), "the map code is cut short: 40 of its 59 characters");
	EXPECT_EQ(DecodeProblem(code + "A"), "the map code is too long: 60 characters where a map code has 59");
	EXPECT_EQ(
		DecodeProblem("2" + code.substr(1)), "the map code is of an unknown version '2'; this game reads version 1");
	EXPECT_EQ(DecodeProblem(code.substr(0, 10) + "+" + code.substr(11)),
		"character 11 of the map code is not one a map code uses");
	std::string mistyped = code;
	mistyped[20] = mistyped[20] == 'B' ? 'C' : 'B';
	EXPECT_EQ(DecodeProblem(mistyped), "the map code does not add up: a character is mistyped or missing");

	MapRecord record;
	EXPECT_NE(MapCode::Decode(mistyped, record), "");
	EXPECT_EQ(FormatMapRecord(record), FormatMapRecord(MapRecord())) << "a bad code must leave the record alone";
}

TEST(MapCode, AMapTheCheckerTurnsAwayHasACodeButNoMap)
{
	MapRecord noCore;
	noCore.types[1][1] = HACKED;
	noCore.types[2][1] = ITEM_SELF_REPAIR;
	noCore.startColumn = 1;
	noCore.startRow = 1;
	EXPECT_EQ(DecodeProblem(MapCode::Encode(noCore)),
		"the map in the code cannot be played: no SYSTEM_CORE; the level cannot be won");
}
