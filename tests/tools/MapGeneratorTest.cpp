#include "tools/mapgen/MapGenerator.h"
#include "leveldata/MapAnalysis.h"
#include "leveldata/MapLoader.h"
#include "tools/player/MapSurvey.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>

namespace {
	const std::string GAME_DIR = VEXARIFT_GAME_DIR;
	const int MOVE_LIMIT = 200;

	struct CommandRun {
		int status = -1;
		std::string out;
	};

	// Runs a command in the run folder; its standard output comes back,
	// its standard error goes to errFile.
	CommandRun Shell(const std::string &command, const std::string &errFile = "/dev/null")
	{
		CommandRun run;
		FILE *pipe = popen(("cd " + GAME_DIR + " && " + command + " 2>" + errFile).c_str(), "r");
		if(!pipe)
			return run;
		char buffer[4096];
		for(size_t got; (got = fread(buffer, 1, sizeof(buffer), pipe)) > 0;)
			run.out.append(buffer, got);
		const int status = pclose(pipe);
		run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
		return run;
	}

	std::string ReadFile(const std::string &path)
	{
		std::ifstream in(path);
		std::ostringstream text;
		text << in.rdbuf();
		return text.str();
	}

	// Counts what the loader has to say about a file; a clean one says
	// nothing but its maps.
	class Tally : public MapFileListener {
	public:
		void MapRead(int, std::unique_ptr<MapRecord> record) override { maps.push_back(*record); }
		void UnknownLine(int, const std::string &) override { ++complaints; }
		void UnknownType(int, int, const std::string &) override { ++complaints; }
		void ShortRow(int, int) override { ++complaints; }
		void MapEndsEarly(int) override { ++complaints; }
		void StartOutsideGrid(int, GridPosition) override { ++complaints; }

		std::vector<MapRecord> maps;
		int complaints = 0;
	};

	bool SameMap(const MapRecord &a, const MapRecord &b)
	{
		return FormatMapRecord(a) == FormatMapRecord(b);
	}

	class TemporaryFolder {
	public:
		TemporaryFolder()
		{
			char pattern[] = "/tmp/vexarift-mapgen-test-XXXXXX";
			path = mkdtemp(pattern) ? pattern : "/tmp";
		}
		~TemporaryFolder() { Shell("rm -rf '" + path + "'"); }

		std::string path;
	};
}

// Every candidate of every difficulty is a map the checker passes, reads
// back exactly as written, and is the same map whenever it is asked for;
// seeds and candidates make different maps, of more than one kind.
TEST(MapGenerator, CandidatesAreSoundAndRepeatable)
{
	const int CANDIDATES = 150;
	for(Difficulty difficulty : {Difficulty::EASY, Difficulty::NORMAL, Difficulty::HARD})
	{
		const MapGenerator generator(11, difficulty);
		const MapGenerator again(11, difficulty);
		const MapGenerator otherSeed(12, difficulty);
		std::set<std::string> distinct;
		std::set<int> sizes;
		for(int index = 0; index < CANDIDATES; ++index)
		{
			const MapRecord map = generator.Candidate(index);
			EXPECT_TRUE(FindMapFaults(map).empty()) << NameOf(difficulty) << " candidate " << index;
			ASSERT_TRUE(SameMap(map, again.Candidate(index)));
			EXPECT_FALSE(SameMap(map, otherSeed.Candidate(index)));

			Tally tally;
			std::istringstream in(FormatMapRecord(map));
			ReadMapFile(in, tally);
			ASSERT_EQ(tally.maps.size(), 1u);
			EXPECT_EQ(tally.complaints, 0);
			EXPECT_TRUE(SameMap(tally.maps[0], map));

			distinct.insert(FormatMapRecord(map));
			sizes.insert(static_cast<int>(FindNetworkParts(map)[0].size()));
		}
		EXPECT_GT(distinct.size(), CANDIDATES * 9u / 10);
		EXPECT_GT(sizes.size(), 10u) << "networks of many sizes";
	}
}

// Usage errors write nothing and exit 2; a FILE that cannot be written
// exits 1 at once, leaving nothing behind.
TEST(MapGenerator, RefusesBadArguments)
{
	const char *const bad[] = {
		"--count 0",
		"--count -3",
		"--count three",
		"--count 2x",
		"--count",
		"--difficulty insane",
		"--difficulty",
		"--seed -1",
		"--seed 4294967296",
		"--size 3",
		"extra",
		"--out",
		"--threads 0",
		"--threads two",
	};
	for(const char *arguments : bad)
	{
		const CommandRun run = Shell(std::string("./vexarift-mapgen ") + arguments);
		EXPECT_EQ(run.status, 2) << arguments;
		EXPECT_EQ(run.out, "") << arguments;
	}

	TemporaryFolder folder;
	const std::string errors = folder.path + "/errors";
	for(const std::string &out : {folder.path + "/missing/DATA", folder.path})
	{
		const CommandRun run = Shell("./vexarift-mapgen --count 1 --out " + out, errors);
		EXPECT_EQ(run.status, 1) << out;
		EXPECT_NE(ReadFile(errors).find("cannot write " + out), std::string::npos) << ReadFile(errors);
	}
	EXPECT_EQ(Shell("ls " + folder.path).out, "errors\n");
}

// The whole tool: the same seed gives the same bytes whether written to a
// file or to standard output and whatever the number of grading threads,
// the maps pass the map checker, and played
// again by the sighted player they keep the difficulties in order, each
// within its band.
TEST(MapGenerator, MakesRepeatableGradedMaps)
{
	TemporaryFolder folder;
	int wins[3] = {};
	const Difficulty difficulties[] = {Difficulty::EASY, Difficulty::NORMAL, Difficulty::HARD};
	for(int d = 0; d < 3; ++d)
	{
		const std::string name = NameOf(difficulties[d]);
		const std::string file = folder.path + "/" + name;
		// One map each keeps the test quick; this seed makes them early.
		const std::string command = "./vexarift-mapgen --count 1 --seed 1 --difficulty " + name;
		ASSERT_EQ(Shell(command + " --out " + file).status, 0) << name;
		const std::string written = ReadFile(file);
		// Once is enough for the bytes; easy maps are the quickest to make.
		if(difficulties[d] == Difficulty::EASY)
		{
			EXPECT_EQ(Shell(command).out, written);
		}
		EXPECT_EQ(Shell("./vexarift-mapcheck " + file, "/dev/stdout").status, 0) << name;

		const MapSurvey survey(written);
		ASSERT_EQ(survey.Maps().size(), 1u);
		const DifficultyBand band = BandOf(difficulties[d]);
		for(const SurveyedMap &map : survey.Maps())
		{
			const MapWinRate rate = survey.Play(map, SIGHTED_SEEDS, MOVE_LIMIT, Sight::SIGHTED);
			EXPECT_GE(rate.wins, band.FewestWins(SIGHTED_SEEDS)) << name;
			EXPECT_LE(rate.wins, band.MostWins(SIGHTED_SEEDS)) << name;
			wins[d] += rate.wins;
		}
	}
	// Normal maps are made among rejected candidates, which the threads
	// grade in another interleaving for every count.
	const std::string several = "./vexarift-mapgen --count 6 --seed 1 --difficulty normal --threads ";
	const std::string oneThread = Shell(several + "1").out;
	EXPECT_NE(oneThread, "");
	EXPECT_EQ(Shell(several + "2").out, oneThread);
	EXPECT_EQ(Shell(several + "3").out, oneThread);
	EXPECT_EQ(Shell("ls " + folder.path).out, "easy\nhard\nnormal\n") << "no temporary file is left";
	const int fifteenPoints = SIGHTED_SEEDS * 15 / 100;
	EXPECT_GE(wins[0] - wins[1], fifteenPoints) << "easy wins 15 points more often than normal";
	EXPECT_GE(wins[1] - wins[2], fifteenPoints) << "normal wins 15 points more often than hard";
}
