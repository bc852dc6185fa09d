#include "support/LevelFixture.h"

#include "hud/AnimatedTextObject.h"
#include "leveldata/NodeType.h"
#include "rules/NodeState.h"

#include <sstream>
#include <vector>

using DistanceHint = LevelFixture;

namespace {
	// The number the node floats after its decryption, or "" for none.
	std::string HintOf(const NodeObject *node)
	{
		return node->GetFloatingText() ? node->GetFloatingText()->GetText() : "";
	}
}

// Decrypts the node and returns the lines the path search printed; fonts
// opened for the first time report themselves too.
class DistanceHintPrinted : public LevelFixture {
protected:
	std::string Decrypt(int column, int row)
	{
		testing::internal::CaptureStdout();
		Click(column, row);
		std::istringstream printed(testing::internal::GetCapturedStdout());
		std::string lines;
		for(std::string line; std::getline(printed, line);)
			if(line.rfind("Found path", 0) == 0)
				lines += line + "\n";
		return lines;
	}
};

TEST_F(DistanceHintPrinted, ObjectiveItselfIsZeroAndFloatsNothing)
{
	StartLevel(MapFromTopRows({"h D C . . . . . . ."}, 0, 0));
	EXPECT_EQ(Decrypt(0, 0), "Found path, length: 1\n");
	EXPECT_EQ(HintOf(Node(0, 0)), "1");
	EXPECT_EQ(Decrypt(1, 0), "Found path, length: 0\n");
	EXPECT_EQ(HintOf(Node(1, 0)), "");
}

TEST_F(DistanceHintPrinted, LongWaysPrintInFullAndFloatAtMostFive)
{
	StartLevel(MapFromTopRows({"h h h h h h h C . ."}, 0, 0));
	const char *floated[] = {"5", "5", "5", "4", "3", "2", "1"};
	for(int column = 0; column < 7; ++column)
	{
		EXPECT_EQ(Decrypt(column, 0), "Found path, length: " + std::to_string(7 - column) + "\n");
		EXPECT_EQ(HintOf(Node(column, 0)), floated[column]);
	}
}

using DistanceHintDeathTest = LevelFixture;

TEST_F(DistanceHintDeathTest, NoReachableObjectiveEndsTheProgram)
{
	testing::FLAGS_gtest_death_test_style = "threadsafe";
	StartLevel(MapFromRows(
		{
			"h h . . . . . . . .",
			". . . . . . . . . .",
			". . . . . . . . . .",
			". . . . . . . . . .",
			". . . . . . . . . .",
			". . . . . . . . . .",
			". . . . . . . . . .",
			". . . . . . . . . .",
			". . . . . . . . . C",
		},
		0, 0));
	EXPECT_EXIT(Click(0, 0), testing::ExitedWithCode(255), "No path");
}
