#include "tools/fuzz/LevelRulesFuzzTarget.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

// Replays the level fuzzers' committed corpus through the rules fuzzer's
// own checks: the shipped maps swept, the recorded plays, and the inputs that
// once mattered keep being tried in builds without a fuzzer.
TEST(LevelFuzzCorpus, EveryInputKeepsTheRulesPromises)
{
	const std::filesystem::path root = std::filesystem::path(__FILE__).parent_path() / ".." / "..";
	const std::vector<MapRecord> shipped = LevelInput::ReadShippedMaps((root / "assets" / "DATA").string());
	ASSERT_FALSE(shipped.empty());
	int replayed = 0;
	for(const auto &entry : std::filesystem::directory_iterator(root / "tools" / "fuzz" / "corpus-level"))
	{
		std::ifstream in(entry.path(), std::ios::binary);
		const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
		const LevelInput input =
			LevelInput::Decode(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size(), shipped);
		EXPECT_EQ(LevelRulesFuzzTarget::Run(input), "") << entry.path();
		++replayed;
	}
	EXPECT_GE(replayed, 70);
}
