#include "support/LevelFixture.h"

#include "hud/IndicatorObject.h"
#include "leveldata/NodeType.h"
#include "play/NodeState.h"
#include "screens/EndGameState.h"

namespace {
	// A straight line along the top row: the start, a Firewall, the System Core.
	const std::vector<std::string> FIREWALL_LINE = {
		"h F C . . . . . . .",
		". . . . . . . . . .", ". . . . . . . . . .", ". . . . . . . . . .",
		". . . . . . . . . .", ". . . . . . . . . .", ". . . . . . . . . .",
		". . . . . . . . . .", ". . . . . . . . . .",
	};
}

using MoveRules = LevelFixture;

TEST_F(MoveRules, FirewallAndSystemCoreFoughtToTheEnd)
{
	StartLevel(MapFromRows(FIREWALL_LINE, 0, 0));
	EXPECT_EQ(Node(0, 0)->GetState(), ENCRYPTED);
	EXPECT_EQ(Node(1, 0)->GetState(), HIDDEN);

	testing::internal::CaptureStdout();
	Click(0, 0);
	EXPECT_NE(testing::internal::GetCapturedStdout().find("Found path, length: 2\n"), std::string::npos);
	EXPECT_EQ(Node(1, 0)->GetState(), ENCRYPTED);

	Click(1, 0);
	EXPECT_EQ(Node(1, 0)->GetState(), REVEALED);
	EXPECT_EQ(Node(2, 0)->GetState(), BLOCKED);

	const int firewallAfter[] = {35, 10};
	const int virusAfter[] = {50, 30};
	for(int i = 0; i < 2; ++i)
	{
		Click(1, 0);
		EXPECT_EQ(Node(1, 0)->GetCoherence(), firewallAfter[i]);
		EXPECT_EQ(level->GetVirusCoherence(), virusAfter[i]);
	}
	Click(1, 0);
	EXPECT_EQ(Node(1, 0)->GetType(), HACKED);
	EXPECT_EQ(level->GetVirusCoherence(), 30);
	EXPECT_EQ(Node(2, 0)->GetState(), ENCRYPTED);
	EXPECT_EQ(level->GetIndicator()->GetCoherence(), 30);

	Click(2, 0);
	const int coreAfter[] = {45, 20};
	const int virusAgainstCore[] = {20, 10};
	for(int i = 0; i < 2; ++i)
	{
		Click(2, 0);
		EXPECT_EQ(Node(2, 0)->GetCoherence(), coreAfter[i]);
		EXPECT_EQ(level->GetVirusCoherence(), virusAgainstCore[i]);
	}
	EXPECT_EQ(engine->GetPendingState(), nullptr);
	Click(2, 0);
	auto *end = dynamic_cast<EndGameState *>(engine->GetPendingState());
	ASSERT_NE(end, nullptr);
	EXPECT_TRUE(end->IsWon());
	Tick();
	EXPECT_EQ(engine->GetCurrentState(), end);
	EXPECT_EQ(engine->ObjectCount(), 0);
}
