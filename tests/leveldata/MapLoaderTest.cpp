#include "MapTestSupport.h"

#include "leveldata/MapLoader.h"

#include <csignal>
#include <ctime>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using Strings = std::vector<std::string>;

namespace {

	std::vector<std::string> Split(const std::string &line)
	{
		return SplitString(line, ' ');
	}

	std::vector<std::string> ReadEvents(const std::string &text)
	{
		std::istringstream in(text);
		RecordingListener listener;
		ReadMapFile(in, listener);
		return listener.events;
	}

	std::unique_ptr<MapRecord> ReadOnlyMap(const std::string &text)
	{
		std::istringstream in(text);
		RecordingListener listener;
		ReadMapFile(in, listener);
		if(listener.maps.size() != 1)
			return nullptr;
		return std::move(listener.maps[0]);
	}

	const char WORKED_EXAMPLE[] = "MAP\n"
								  "EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY\n"
								  "EMPTY EMPTY HACKED HACKED EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY\n"
								  "EMPTY EMPTY HACKED FIREWALL HACKED EMPTY EMPTY EMPTY EMPTY EMPTY\n"
								  "EMPTY EMPTY EMPTY DATA_CACHE HACKED ITEM_SELF_REPAIR EMPTY EMPTY EMPTY EMPTY\n"
								  "EMPTY EMPTY EMPTY HACKED HACKED HACKED EMPTY EMPTY EMPTY EMPTY\n"
								  "EMPTY EMPTY EMPTY EMPTY ANTIVIRUS HACKED EMPTY EMPTY EMPTY EMPTY\n"
								  "EMPTY EMPTY EMPTY EMPTY HACKED SYSTEM_CORE EMPTY EMPTY EMPTY EMPTY\n"
								  "EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY\n"
								  "EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY\n"
								  "2\n"
								  "1\n";

} // namespace

TEST(SplitString, BlanksEndWordsAndOnlyATrailingOneIsDropped)
{
	EXPECT_EQ(Split(""), Strings{});
	EXPECT_EQ(Split("EMPTY"), (Strings{"EMPTY"}));
	EXPECT_EQ(Split("A B"), (Strings{"A", "B"}));
	EXPECT_EQ(Split("A  B"), (Strings{"A", "", "B"}));
	EXPECT_EQ(Split(" A"), (Strings{"", "A"}));
	EXPECT_EQ(Split("A "), (Strings{"A"}));
	EXPECT_EQ(Split("A  "), (Strings{"A", ""}));
	EXPECT_EQ(Split(" "), (Strings{""}));
	EXPECT_EQ(Split("A\tB C"), (Strings{"A\tB", "C"}));
	EXPECT_EQ(SplitString("a,b", ','), (Strings{"a", "b"}));
}

TEST(ParseNodeType, KeywordsHaveTheirFixedValues)
{
	const std::pair<const char *, int> expected[] = {{"EMPTY", 0}, {"HACKED", 1}, {"FIREWALL", 2}, {"ANTIVIRUS", 3},
		{"RESTORATION_NODE", 4}, {"VIRUS_SUPPRESSOR", 5}, {"SYSTEM_CORE", 6}, {"ITEM_SELF_REPAIR", 7},
		{"ITEM_KERNEL_ROT", 8}, {"ITEM_POLYMORPHIC_SHIELD", 9}, {"ITEM_SECONDARY_VECTOR", 10}, {"DATA_CACHE", 11}};
	testing::internal::CaptureStderr();
	for(const auto &keyword : expected)
		EXPECT_EQ(ParseNodeType(keyword.first), keyword.second) << keyword.first;
	EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(ParseNodeType, AnythingElseIsEmptyWithAMessageOnStderr)
{
	testing::internal::CaptureStdout();
	testing::internal::CaptureStderr();
	EXPECT_EQ(ParseNodeType(""), EMPTY);
	EXPECT_EQ(ParseNodeType("FIREWALL\t"), EMPTY);
	EXPECT_EQ(ParseNodeType("firewall"), EMPTY);
	EXPECT_EQ(ParseNodeType("SYSTEM_CORE "), EMPTY);
	EXPECT_EQ(testing::internal::GetCapturedStderr(),
		"Unknown type: \nUnknown type: FIREWALL\t\nUnknown type: firewall\nUnknown type: SYSTEM_CORE \n");
	EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(MapFileGrammar, WorkedExampleReadsColumnByRow)
{
	std::unique_ptr<MapRecord> map = ReadOnlyMap(WORKED_EXAMPLE);
	ASSERT_NE(map, nullptr);
	EXPECT_EQ(map->TypeAt(3, 2), FIREWALL);
	EXPECT_EQ(map->TypeAt(5, 6), SYSTEM_CORE);
	EXPECT_EQ(map->TypeAt(5, 3), ITEM_SELF_REPAIR);
	EXPECT_EQ(map->TypeAt(0, 0), EMPTY);
	EXPECT_EQ(map->GetStart(), (GridPosition{2, 1}));
}

TEST(MapFileGrammar, OnlyTheExactMapLineStartsARecord)
{
	std::string text = "\n"
					   "MAP \n"
					   "map\n"
					   "MAPS\n"
					   "MA\n"
					   " MAP\n"
					   "\n" +
		MapText().Start(1, 2).Text() + "\n\n" + MapText().Text();
	EXPECT_EQ(ReadEvents(text),
		(Strings{"unknown line 2: MAP ", "unknown line 3: map", "unknown line 4: MAPS", "unknown line 5: MA",
			"unknown line 6:  MAP", "map 8", "map 22"}));
}

TEST(MapFileGrammar, LinesOfARecordAreNotTestedForMap)
{
	// A "MAP" row is a row of unknown words, and a "MAP" start line reads as
	// 0; the line after the record starts the next record.
	std::string record = MapText().Text();
	std::string text = "MAP\nMAP\n" + record.substr(record.find('\n', 4) + 1);
	text.replace(text.rfind("0\n0\n"), 4, "MAP\nMAP\n");
	EXPECT_EQ(ReadEvents(text + record), (Strings{"unknown type 2/0: MAP", "short row 2: 1", "map 1", "map 13"}));
}

TEST(MapFileGrammar, CarriageReturnBeforeLineFeedBelongsToTheLineEnd)
{
	std::string text;
	for(char ch : std::string(WORKED_EXAMPLE) + "junk\n")
	{
		if(ch == '\n')
			text += '\r';
		text += ch;
	}
	RecordingListener listener;
	std::istringstream in(text + "MAP\r");
	ReadMapFile(in, listener);
	// A carriage return without a line feed after it is part of the line.
	EXPECT_EQ(listener.events, (Strings{"map 1", "unknown line 13: junk", "unknown line 14: MAP\r"}));
	EXPECT_EQ(listener.maps[0]->TypeAt(3, 2), FIREWALL);
	EXPECT_EQ(listener.maps[0]->GetStart(), (GridPosition{2, 1}));
}

TEST(MapFileGrammar, LastLineNeedsNoLineFeed)
{
	std::string text = MapText().Start(4, 5).Text();
	text.pop_back();
	std::unique_ptr<MapRecord> map = ReadOnlyMap(text);
	ASSERT_NE(map, nullptr);
	EXPECT_EQ(map->GetStart(), (GridPosition{4, 5}));
}

TEST(MapFileGrammar, RowWordsAreTakenByPositionAfterSingleBlankSplitting)
{
	std::string text = MapText().Text();
	const std::string firstRow = "EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY EMPTY\n";
	// Row 0 with a doubled blank, row 1 with eleven words, row 2 with a tab.
	text.replace(4, firstRow.size() * 3,
		"HACKED  FIREWALL ANTIVIRUS HACKED HACKED HACKED HACKED HACKED HACKED HACKED\n"
		"HACKED HACKED HACKED HACKED HACKED HACKED HACKED HACKED HACKED DATA_CACHE SYSTEM_CORE\n"
		"HACKED\tHACKED HACKED HACKED HACKED HACKED HACKED HACKED HACKED HACKED HACKED\n");
	RecordingListener listener;
	std::istringstream in(text);
	ReadMapFile(in, listener);
	EXPECT_EQ(listener.events, (Strings{"unknown type 2/1: ", "unknown type 4/0: HACKED\tHACKED", "map 1"}));
	const MapRecord &map = *listener.maps[0];
	EXPECT_EQ(map.TypeAt(1, 0), EMPTY);
	EXPECT_EQ(map.TypeAt(2, 0), FIREWALL);
	EXPECT_EQ(map.TypeAt(3, 0), ANTIVIRUS);
	EXPECT_EQ(map.TypeAt(9, 0), HACKED);
	EXPECT_EQ(map.TypeAt(9, 1), DATA_CACHE);
	EXPECT_EQ(map.TypeAt(0, 2), EMPTY);
	EXPECT_EQ(map.TypeAt(1, 2), HACKED);
}

TEST(MapFileGrammar, StartLinesReadLikeAtoi)
{
	const std::pair<const char *, int> cases[] = {
		{"7", 7}, {"  +3", 3}, {"\t4 5", 4}, {"6abc", 6}, {"abc", 0}, {"", 0}, {"-0", 0}, {"08", 8}};
	for(const auto &c : cases)
	{
		std::string text = MapText().Text();
		text.replace(text.size() - 4, 2, std::string(c.first) + "\n");
		std::unique_ptr<MapRecord> map = ReadOnlyMap(text);
		ASSERT_NE(map, nullptr) << c.first;
		EXPECT_EQ(map->GetStart().column, c.second) << c.first;
	}
}

TEST(MapFileOpenPoints, ShortRowsReadAsEmptyAndKeepTheRecord)
{
	std::string text = MapText().Text();
	text.replace(4, 60, "SYSTEM_CORE HACKED\n");
	RecordingListener listener;
	std::istringstream in(text + "\nMAP\n\n" + text.substr(4 + 19));
	ReadMapFile(in, listener);
	EXPECT_EQ(listener.events, (Strings{"short row 2: 2", "map 1", "short row 15: 0", "map 14"}));
	EXPECT_EQ(listener.maps[0]->TypeAt(0, 0), SYSTEM_CORE);
	EXPECT_EQ(listener.maps[0]->TypeAt(1, 0), HACKED);
	for(int column = 0; column < GRID_COLUMNS; ++column)
		EXPECT_EQ(listener.maps[1]->TypeAt(column, 0), EMPTY);
}

TEST(MapFileOpenPoints, RecordCutShortIsDroppedNamingItsMapLine)
{
	std::string record = MapText().Text();
	std::string text = "\n" + record + record;
	size_t secondMap = record.size() + 1;
	EXPECT_EQ(ReadEvents(text.substr(0, secondMap + 4)), (Strings{"map 2", "ends early 14"}));
	// Cut inside the second row: that row is short, then the record ends.
	EXPECT_EQ(ReadEvents(text.substr(0, secondMap + 69)), (Strings{"map 2", "short row 16: 1", "ends early 14"}));
	// Only the start row is missing.
	EXPECT_EQ(ReadEvents(text.substr(0, text.size() - 2)), (Strings{"map 2", "ends early 14"}));
}

TEST(MapFileOpenPoints, StartOutsideTheGridIsDroppedAndReadingGoesOn)
{
	std::string text = MapText().Start(10, 0).Text() + MapText().Start(0, 9).Text() + MapText().Start(-1, 3).Text() +
		MapText().Start(9, 8).Text();
	std::string huge = MapText().Text();
	huge.replace(huge.size() - 4, 4, "99999999999\n-99999999999\n");
	EXPECT_EQ(ReadEvents(text + huge),
		(Strings{
			"outside 1: 10,0", "outside 13: 0,9", "outside 25: -1,3", "map 37", "outside 49: 2147483647,-2147483648"}));
}

TEST(MapFileOpenPoints, RecordParserOnItsOwnReportsOnTheConsole)
{
	std::string text = MapText().Set(0, 0, "BOGUS").Start(12, 1).Text().substr(4);
	std::istringstream in(text + "next\n");
	testing::internal::CaptureStderr();
	EXPECT_EQ(ParseMapRecord(in), nullptr);
	EXPECT_EQ(testing::internal::GetCapturedStderr(),
		"Unknown type: BOGUS\nMap at line 0 starts outside the grid; skipped\n");
	// Exactly the eleven record lines were consumed.
	std::string next;
	std::getline(in, next);
	EXPECT_EQ(next, "next");
}

class LoadMapsTest : public InTemporaryDirectory {
protected:
	void Load()
	{
		testing::internal::CaptureStdout();
		testing::internal::CaptureStderr();
		maps = LoadMaps();
		out = testing::internal::GetCapturedStdout();
		err = testing::internal::GetCapturedStderr();
	}

	std::vector<std::unique_ptr<MapRecord>> maps;
	std::string out;
	std::string err;
};

TEST_F(LoadMapsTest, PrintsTheGameLinesInFileOrder)
{
	WriteFile("DATA",
		"Level one\n" + MapText().Set(1, 1, "SYSTEM_CORE").Set(2, 1, "BAD").Start(1, 1).Text() + "\n" +
			MapText().Start(11, 0).Text() + MapText().Set(3, 3, "DATA_CACHE").Text() + "MAP\nEMPTY\n");
	WriteFile("LastRun", "Thu Jan  1 00:00:00 1970\n\n");
	Load();
	EXPECT_EQ(out, "Unknown line: Level one\nLoaded 2 maps\nLast run: Thu Jan  1 00:00:00 1970\n");
	EXPECT_EQ(err,
		"Unknown type: BAD\nMap at line 15 starts outside the grid; skipped\nMap at line 39 ends early; skipped\n");
	ASSERT_EQ(maps.size(), 2u);
	EXPECT_EQ(maps[0]->TypeAt(1, 1), SYSTEM_CORE);
	EXPECT_EQ(maps[0]->GetStart(), (GridPosition{1, 1}));
	EXPECT_EQ(maps[1]->TypeAt(3, 3), DATA_CACHE);
}

TEST_F(LoadMapsTest, MissingOrEmptyDataGivesNoMaps)
{
	Load();
	EXPECT_EQ(out, "Loaded 0 maps\n");
	EXPECT_TRUE(maps.empty());

	WriteFile("DATA", "");
	Load();
	// LastRun exists from the first call now.
	EXPECT_EQ(out.substr(0, 24), "Loaded 0 maps\nLast run: ");
	EXPECT_TRUE(maps.empty());
	EXPECT_EQ(err, "");
}

TEST_F(LoadMapsTest, EmptyLastRunPrintsAnEmptyStamp)
{
	WriteFile("LastRun", "");
	Load();
	EXPECT_EQ(out, "Loaded 0 maps\nLast run: \n");
}

TEST_F(LoadMapsTest, LastRunHoldsExactlyTheCtimeTextAndOneNewline)
{
	time_t before = time(nullptr);
	Load();
	time_t after = time(nullptr);
	std::string stamp = ReadFile("LastRun");
	std::string earliest = std::string(ctime(&before)) + "\n";
	std::string latest = std::string(ctime(&after)) + "\n";
	EXPECT_TRUE(stamp == earliest || stamp == latest) << stamp;

	// The next load shows it without its line end.
	Load();
	EXPECT_EQ(out, "Loaded 0 maps\nLast run: " + stamp.substr(0, stamp.size() - 2) + "\n");
}

TEST_F(LoadMapsTest, UnwritableLastRunIsSilent)
{
	ASSERT_EQ(mkdir("LastRun", 0700), 0);
	Load();
	EXPECT_EQ(err, "");
	EXPECT_EQ(out.substr(0, 14), "Loaded 0 maps\n");
}

// A LastRun that never ends, or a huge one without a line feed, shows at
// most a short line: before, the first line grew the game past any memory.
TEST_F(LoadMapsTest, LastRunThatNeverEndsShowsOnlyAShortLine)
{
	ASSERT_EQ(symlink("/dev/zero", "LastRun"), 0);
	Load();
	EXPECT_EQ(out, "Loaded 0 maps\nLast run: \n");
	// A device is written to, never replaced: the link and the device stay.
	EXPECT_TRUE(std::filesystem::is_symlink("LastRun"));
	EXPECT_TRUE(std::filesystem::is_character_file("/dev/zero"));

	ASSERT_EQ(unlink("LastRun"), 0);
	WriteFile("LastRun", std::string(1 << 20, 'x'));
	Load();
	EXPECT_EQ(out, "Loaded 0 maps\nLast run: " + std::string(256, 'x') + "\n");
}

// On a full disk, or a write cut short, the old stamp stays whole and no
// partial file is left beside it.
TEST_F(LoadMapsTest, FullDiskKeepsTheOldStampWhole)
{
	const std::string old = "Thu Jan  1 00:00:00 1970\n\n";
	WriteFile("LastRun", old);
	rlimit before = {};
	ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
	rlimit tiny = before;
	tiny.rlim_cur = 10;
	auto previousHandler = signal(SIGXFSZ, SIG_IGN);
	ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
	Load();
	ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &before), 0);
	signal(SIGXFSZ, previousHandler);
	EXPECT_EQ(ReadFile("LastRun"), old);
	std::vector<std::string> names;
	for(const auto &entry : std::filesystem::directory_iterator("."))
		names.push_back(entry.path().filename().string());
	EXPECT_EQ(names, std::vector<std::string>{"LastRun"});

	// /dev/full takes nothing and stays the device it is.
	ASSERT_EQ(unlink("LastRun"), 0);
	ASSERT_EQ(symlink("/dev/full", "LastRun"), 0);
	Load();
	EXPECT_EQ(out.substr(0, 24), "Loaded 0 maps\nLast run: ");
	EXPECT_TRUE(std::filesystem::is_symlink("LastRun"));
	EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

// A LastRun kept elsewhere through a link is renewed there; the link stays.
TEST_F(LoadMapsTest, LinkedLastRunIsRenewedWhereItPoints)
{
	ASSERT_EQ(mkdir("elsewhere", 0700), 0);
	WriteFile("elsewhere/stamp", "old\n");
	ASSERT_EQ(symlink("elsewhere/stamp", "LastRun"), 0);
	Load();
	EXPECT_EQ(out, "Loaded 0 maps\nLast run: old\n");
	EXPECT_TRUE(std::filesystem::is_symlink("LastRun"));
	const std::string stamp = ReadFile("elsewhere/stamp");
	EXPECT_EQ(stamp.size(), 26u) << stamp;
}

// DATA caught half way through an editor's save: the whole records play,
// the cut one is skipped, and the file is left as it was. A DATA that never
// ends is read up to a limit.
TEST_F(LoadMapsTest, DataBeingRewrittenGivesItsWholeRecords)
{
	const std::string whole =
		MapText().Set(1, 1, "SYSTEM_CORE").Start(1, 1).Text() + MapText().Set(2, 2, "FIREWALL").Start(2, 2).Text();
	const std::string halfSaved = whole.substr(0, whole.size() - 40);
	WriteFile("DATA", halfSaved);
	Load();
	ASSERT_EQ(maps.size(), 1u);
	EXPECT_EQ(maps[0]->TypeAt(1, 1), SYSTEM_CORE);
	EXPECT_EQ(err, "Map at line 13 ends early; skipped\n");
	EXPECT_EQ(ReadFile("DATA"), halfSaved);

	WriteFile("DATA", whole);
	Load();
	EXPECT_EQ(maps.size(), 2u);

	ASSERT_EQ(unlink("DATA"), 0);
	ASSERT_EQ(symlink("/dev/zero", "DATA"), 0);
	Load();
	EXPECT_TRUE(maps.empty());
	EXPECT_EQ(err.substr(0, 22), "DATA is longer than 83");
}
