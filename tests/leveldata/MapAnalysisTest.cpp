#include "MapTestSupport.h"

#include "leveldata/MapAnalysis.h"
#include "leveldata/MapLoader.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

	using Positions = std::vector<GridPosition>;

	std::unique_ptr<MapRecord> Parse(const MapText &text)
	{
		std::istringstream in(text.Text());
		RecordingListener listener;
		ReadMapFile(in, listener);
		return listener.maps.empty() ? nullptr : std::move(listener.maps[0]);
	}

	std::vector<MapFault> Faults(const MapText &text)
	{
		std::vector<MapFault> faults;
		for(const MapFinding &finding : FindMapFaults(*Parse(text)))
			faults.push_back(finding.fault);
		return faults;
	}

	// A playable little network: start (1, 1), a Firewall, the core at (3, 2).
	MapText SmallNetwork()
	{
		return MapText()
			.Set(1, 1, "HACKED")
			.Set(2, 1, "FIREWALL")
			.Set(2, 2, "HACKED")
			.Set(3, 2, "SYSTEM_CORE")
			.Start(1, 1);
	}

	struct CheckerRun {
		int status;
		std::string output;
	};

	// Runs the built checker and collects both its streams through a pipe, so
	// tests running side by side never share an output file.
	CheckerRun RunChecker(const std::string &arguments)
	{
		std::string command = std::string(VEXARIFT_GAME_DIR) + "/vexarift-mapcheck " + arguments + " 2>&1";
		FILE *pipe = popen(command.c_str(), "r");
		if(!pipe)
			return {-1, "could not start the checker"};
		std::string output;
		char buffer[4096];
		for(size_t got; (got = fread(buffer, 1, sizeof(buffer), pipe)) > 0;)
			output.append(buffer, got);
		int status = pclose(pipe);
		return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
	}

} // namespace

TEST(GridNeighbours, FollowTheGamesFixedOrder)
{
	// Beside, then above, then below; the row's parity decides the columns.
	EXPECT_EQ(GetGridNeighbours(4, 4), (Positions{{3, 4}, {5, 4}, {3, 3}, {4, 3}, {3, 5}, {4, 5}}));
	EXPECT_EQ(GetGridNeighbours(4, 3), (Positions{{3, 3}, {5, 3}, {4, 2}, {5, 2}, {4, 4}, {5, 4}}));
	EXPECT_EQ(GetGridNeighbours(0, 0), (Positions{{1, 0}, {0, 1}}));
	EXPECT_EQ(GetGridNeighbours(9, 1), (Positions{{8, 1}, {9, 0}, {9, 2}}));
	EXPECT_EQ(GetGridNeighbours(0, 8), (Positions{{1, 8}, {0, 7}}));
	EXPECT_EQ(GetGridNeighbours(9, 7), (Positions{{8, 7}, {9, 6}, {9, 8}}));
}

TEST(GridNeighbours, AreSymmetricAndInsideTheGrid)
{
	for(int column = 0; column < GRID_COLUMNS; ++column)
	{
		for(int row = 0; row < GRID_ROWS; ++row)
		{
			for(GridPosition n : GetGridNeighbours(column, row))
			{
				ASSERT_TRUE(IsInsideGrid(n.column, n.row));
				Positions back = GetGridNeighbours(n.column, n.row);
				EXPECT_NE(std::find(back.begin(), back.end(), GridPosition{column, row}), back.end())
					<< column << "," << row << " -> " << n.column << "," << n.row;
			}
		}
	}
}

TEST(MapAnalysis, NetworkPartsSkipEmptyPositions)
{
	// (0, 0)-(1, 0) touch; (3, 0) is cut off by the EMPTY (2, 0); (3, 1)
	// on an odd row touches (3, 0) and (4, 0).
	MapText text = MapText()
					   .Set(0, 0, "HACKED")
					   .Set(1, 0, "SYSTEM_CORE")
					   .Set(3, 0, "DATA_CACHE")
					   .Set(3, 1, "HACKED")
					   .Set(4, 0, "HACKED")
					   .Set(9, 8, "FIREWALL");
	std::vector<Positions> parts = FindNetworkParts(*Parse(text));
	ASSERT_EQ(parts.size(), 3u);
	EXPECT_EQ(parts[0], (Positions{{0, 0}, {1, 0}}));
	EXPECT_EQ(parts[1], (Positions{{3, 0}, {3, 1}, {4, 0}}));
	EXPECT_EQ(parts[2], (Positions{{9, 8}}));
}

TEST(MapAnalysis, PlayableNetworkHasNoFaults)
{
	EXPECT_TRUE(Faults(SmallNetwork()).empty());
}

TEST(MapAnalysis, EachAuthoringMistakeIsFound)
{
	// Without a core nothing else is worth finding either.
	EXPECT_EQ(
		Faults(SmallNetwork().Set(3, 2, "HACKED")), (std::vector<MapFault>{NO_SYSTEM_CORE, PART_WITHOUT_OBJECTIVE}));
	EXPECT_EQ(Faults(SmallNetwork().Set(2, 2, "SYSTEM_CORE")), (std::vector<MapFault>{SEVERAL_SYSTEM_CORES}));
	EXPECT_EQ(Faults(SmallNetwork().Start(5, 5)), (std::vector<MapFault>{START_ON_EMPTY}));
	// A separate part with nothing to find.
	EXPECT_EQ(Faults(SmallNetwork().Set(8, 7, "HACKED").Set(9, 7, "ANTIVIRUS")),
		(std::vector<MapFault>{PART_WITHOUT_OBJECTIVE}));
	// The start's part holds an item but not the core.
	EXPECT_EQ(Faults(SmallNetwork().Set(6, 6, "HACKED").Set(7, 6, "ITEM_KERNEL_ROT").Start(6, 6)),
		(std::vector<MapFault>{CORE_UNREACHABLE}));
	// A core on its own is an objective, so only the reach is wrong.
	EXPECT_EQ(
		Faults(SmallNetwork().Set(2, 1, "DATA_CACHE").Set(2, 2, "EMPTY").Set(3, 2, "EMPTY").Set(5, 5, "SYSTEM_CORE")),
		(std::vector<MapFault>{CORE_UNREACHABLE}));
}

TEST(MapAnalysis, FindingsNameThePositionsConcerned)
{
	std::vector<MapFinding> findings = FindMapFaults(
		*Parse(SmallNetwork().Set(0, 8, "SYSTEM_CORE").Set(6, 6, "RESTORATION_NODE").Set(7, 6, "HACKED")));
	ASSERT_EQ(findings.size(), 2u);
	EXPECT_EQ(findings[0].fault, SEVERAL_SYSTEM_CORES);
	EXPECT_EQ(findings[0].positions, (Positions{{0, 8}, {3, 2}}));
	EXPECT_EQ(findings[1].fault, PART_WITHOUT_OBJECTIVE);
	EXPECT_EQ(findings[1].positions, (Positions{{6, 6}, {7, 6}}));
}

TEST(ShippedMaps, EveryMapIsPlayableAndTheTypesAreAllUsed)
{
	std::ifstream data(std::string(VEXARIFT_GAME_DIR) + "/DATA");
	ASSERT_TRUE(data) << "DATA is missing from the run folder";
	RecordingListener listener;
	ReadMapFile(data, listener);
	ASSERT_GE(listener.maps.size(), 12u);
	bool used[DATA_CACHE + 1] = {};
	for(size_t i = 0; i < listener.maps.size(); ++i)
	{
		const MapRecord &map = *listener.maps[i];
		EXPECT_TRUE(FindMapFaults(map).empty()) << listener.events[i];
		GridPosition start = map.GetStart();
		EXPECT_EQ(map.TypeAt(start.column, start.row), HACKED) << listener.events[i];
		for(int column = 0; column < GRID_COLUMNS; ++column)
			for(int row = 0; row < GRID_ROWS; ++row)
				used[map.TypeAt(column, row)] = true;
	}
	// Only complete records, and nothing else in the file.
	EXPECT_EQ(listener.events.size(), listener.maps.size());
	for(int type = EMPTY; type <= DATA_CACHE; ++type)
		EXPECT_TRUE(used[type]) << "type " << type << " appears in no map";
}

// Each test writes its maps into a directory of its own.
class MapChecker : public InTemporaryDirectory {};

TEST_F(MapChecker, PassesTheShippedMaps)
{
	CheckerRun run = RunChecker(std::string(VEXARIFT_GAME_DIR) + "/DATA");
	EXPECT_EQ(run.status, 0) << run.output;
	EXPECT_NE(run.output.find(" playable, 0 problems\n"), std::string::npos) << run.output;
}

TEST_F(MapChecker, ReportsEveryProblemWithItsMapLine)
{
	std::string file = "broken-maps";
	std::ofstream(file) << "MAP \n"
						<< SmallNetwork().Set(4, 4, "FIREWAL").Text() << SmallNetwork().Set(3, 2, "HACKED").Text()
						<< SmallNetwork().Set(7, 7, "SYSTEM_CORE").Text() << SmallNetwork().Start(6, 0).Text()
						<< SmallNetwork().Set(8, 8, "HACKED").Text()
						<< SmallNetwork().Set(6, 6, "HACKED").Set(7, 6, "DATA_CACHE").Start(6, 6).Text()
						<< SmallNetwork().Start(10, 0).Text() << SmallNetwork().Text().substr(0, 90);
	CheckerRun run = RunChecker(file);
	EXPECT_EQ(run.status, 1);
	const char *expected[] = {
		":1: unknown line \"MAP \"",
		":7: map at line 2: unknown type \"FIREWAL\" in column 4",
		":14: map at line 14: no SYSTEM_CORE",
		":14: map at line 14: nodes (1, 1) (2, 1) (2, 2) (3, 2) reach no",
		":26: map at line 26: 2 SYSTEM_COREs at (3, 2) (7, 7)",
		":38: map at line 38: start (6, 0) is EMPTY",
		":50: map at line 50: nodes (8, 8) reach no SYSTEM_CORE, item or DATA_CACHE",
		":62: map at line 62: SYSTEM_CORE (3, 2) cannot be reached from the start (6, 6)",
		":74: map at line 74: start (10, 0) lies outside",
		":88: map at line 86: unknown type \"EMPT\" in column 3",
		":88: map at line 86: row has 4 of its 10 words",
		":86: map at line 86: ends before its 11 lines",
		": 8 maps, 0 playable, 12 problems",
	};
	size_t from = 0;
	for(const char *line : expected)
	{
		size_t at = run.output.find(line, from);
		EXPECT_NE(at, std::string::npos) << line << "\n" << run.output;
		from = at == std::string::npos ? from : at;
	}
}

TEST_F(MapChecker, MissingFileAndEmptyFileFail)
{
	EXPECT_EQ(RunChecker("no-such-file").status, 2);
	EXPECT_EQ(RunChecker(".").status, 2);
	std::string empty = "empty-maps";
	std::ofstream(empty).flush();
	CheckerRun run = RunChecker(empty);
	EXPECT_EQ(run.status, 1);
	EXPECT_NE(run.output.find("no maps"), std::string::npos) << run.output;
}
