#include "tools/fuzz/MapFileFuzzTarget.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

// Replays the committed fuzz corpus through the fuzzer's own checks, so the
// inputs that once mattered keep being tried in builds without a fuzzer.
TEST(FuzzCorpus, EveryInputKeepsTheParsersPromises)
{
	std::filesystem::path corpus =
		std::filesystem::path(__FILE__).parent_path() / ".." / ".." / "tools" / "fuzz" / "corpus";
	int replayed = 0;
	for(const auto &entry : std::filesystem::directory_iterator(corpus))
	{
		std::ifstream in(entry.path(), std::ios::binary);
		std::stringstream input;
		input << in.rdbuf();
		EXPECT_EQ(MapFileFuzzTarget::Run(input.str()), "") << entry.path();
		++replayed;
	}
	EXPECT_GE(replayed, 5);
}
