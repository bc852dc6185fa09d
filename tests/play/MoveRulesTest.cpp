#include "support/LevelFixture.h"

#include "hud/IndicatorObject.h"
#include "hud/ItemSlots.h"
#include "leveldata/NodeType.h"
#include "rules/NodeState.h"
#include "screens/EndGameState.h"

#include <vector>

namespace {
	// A straight line along the top row: the start, a Firewall, the System Core.
	const std::vector<std::string> FIREWALL_LINE = {"h F C . . . . . . ."};
}

using MoveRules = LevelFixture;

TEST_F(MoveRules, FirewallAndSystemCoreFoughtToTheEnd)
{
	StartLevel(MapFromTopRows(FIREWALL_LINE, 0, 0));
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

// Clicks can reach the level in the same loop pass as the winning move,
// before the end screen takes over. The network here has nothing left to
// find, so decrypting would end the program.
TEST_F(MoveRules, NoMoveAfterTheLevelHasEnded)
{
	StartLevel(MapFromTopRows({"h C h . . . . . . ."}, 0, 0));
	Click(0, 0);
	for(int i = 0; i < 4; ++i)
		Click(1, 0);
	ASSERT_NE(engine->GetPendingState(), nullptr);
	Click(2, 0);
	Hover(2, 0);
	Key(' ');
	EXPECT_EQ(Node(2, 0)->GetState(), ENCRYPTED);
	Tick();
	EXPECT_NE(dynamic_cast<EndGameState *>(engine->GetCurrentState()), nullptr);
}

TEST_F(MoveRules, AntivirusHackedInTwoAttacksCostsForty)
{
	StartLevel(MapFromTopRows({"h A C . . . . . . ."}, 0, 0));
	Click(0, 0);
	Click(1, 0);
	EXPECT_EQ(Node(1, 0)->GetCoherence(), 30);
	EXPECT_EQ(Node(1, 0)->GetStrength(), 40);
	EXPECT_EQ(Node(2, 0)->GetState(), BLOCKED);

	Click(1, 0);
	EXPECT_EQ(Node(1, 0)->GetCoherence(), 5);
	EXPECT_EQ(level->GetVirusCoherence(), 30);
	Click(1, 0);
	EXPECT_EQ(Node(1, 0)->GetType(), HACKED);
	EXPECT_EQ(Node(1, 0)->GetCoherence(), -20);
	EXPECT_EQ(level->GetVirusCoherence(), 30);
	EXPECT_EQ(Node(2, 0)->GetState(), ENCRYPTED);
	EXPECT_EQ(level->GetIndicator()->GetCoherence(), 30);
	EXPECT_EQ(engine->GetPendingState(), nullptr);

	// A hacked node is an empty connector: clicking it is not a move.
	Click(1, 0);
	EXPECT_EQ(Node(1, 0)->GetCoherence(), -20);
	EXPECT_EQ(level->GetVirusCoherence(), 30);
}

// A Virus Suppressor at a dead end leaves the strength at 10, so the
// Anti-virus survives two attacks and its second counter-attack leaves the
// virus at exactly 0.
TEST_F(MoveRules, CounterAttackToExactlyZeroLosesDespiteSelfRepair)
{
	StartLevel(MapFromTopRows({"V h s A C . . . . ."}, 1, 0));
	Click(1, 0);
	Click(0, 0);
	EXPECT_EQ(level->GetVirusStrength(), 10);
	EXPECT_EQ(level->GetIndicator()->GetStrength(), 10);
	Click(2, 0);
	Click(2, 0);
	EXPECT_EQ(level->GetItemSlots()->ItemAt(0), ITEM_SELF_REPAIR);
	Click(3, 0);
	EXPECT_EQ(Node(4, 0)->GetState(), BLOCKED);
	ClickSlot(0);
	EXPECT_EQ(level->GetSelfRepairMoves(), 3);
	EXPECT_EQ(level->GetVirusCoherence(), 70);

	Click(3, 0);
	EXPECT_EQ(Node(3, 0)->GetCoherence(), 20);
	EXPECT_EQ(level->GetVirusCoherence(), 40);
	EXPECT_EQ(engine->GetPendingState(), nullptr);

	Click(3, 0);
	EXPECT_EQ(Node(3, 0)->GetCoherence(), 10);
	// Self Repair still ticked, but the loss was already requested.
	EXPECT_EQ(level->GetVirusCoherence(), 10);
	EXPECT_EQ(level->GetSelfRepairMoves(), 1);
	auto *end = dynamic_cast<EndGameState *>(engine->GetPendingState());
	ASSERT_NE(end, nullptr);
	EXPECT_FALSE(end->IsWon());
	Tick();
	EXPECT_EQ(engine->GetCurrentState(), end);
}

// The Restoration Node is the only target standing, so it heals itself by
// 10 at the end of every move whatever rand() gives.
TEST_F(MoveRules, ShieldAbsorbsTwoCounterAttacksAndTheThirdHits)
{
	StartLevel(MapFromTopRows({"h p R C . . . . . ."}, 0, 0));
	Click(0, 0);
	Click(1, 0);
	Click(1, 0);
	Click(2, 0);
	EXPECT_EQ(Node(2, 0)->GetCoherence(), 90);
	ClickSlot(0);
	EXPECT_EQ(level->GetShieldCharges(), 2);
	EXPECT_EQ(level->GetItemSlots()->ItemAt(0), 0);

	const int restorationAfter[] = {75, 60, 45};
	const int virusAfter[] = {70, 70, 60};
	const int chargesAfter[] = {1, 0, 0};
	for(int i = 0; i < 3; ++i)
	{
		Click(2, 0);
		EXPECT_EQ(Node(2, 0)->GetCoherence(), restorationAfter[i]) << "attack " << i;
		EXPECT_EQ(level->GetVirusCoherence(), virusAfter[i]) << "attack " << i;
		EXPECT_EQ(level->GetShieldCharges(), chargesAfter[i]) << "attack " << i;
	}
}

TEST_F(MoveRules, TwoVirusSuppressorsMakeEveryAttackHealItsTarget)
{
	StartLevel(MapFromTopRows({"V h V F C . . . . ."}, 1, 0));
	Click(1, 0);
	Click(0, 0);
	EXPECT_EQ(level->GetVirusStrength(), 10);
	Click(2, 0);
	EXPECT_EQ(level->GetVirusStrength(), -5);
	EXPECT_EQ(level->GetIndicator()->GetStrength(), -5);
	EXPECT_EQ(Node(3, 0)->GetState(), BLOCKED);

	Click(2, 0);
	EXPECT_EQ(Node(2, 0)->GetCoherence(), 85);
	EXPECT_EQ(level->GetVirusCoherence(), 50);
	Click(2, 0);
	EXPECT_EQ(Node(2, 0)->GetCoherence(), 90);
	EXPECT_EQ(Node(2, 0)->GetType(), VIRUS_SUPPRESSOR);
	EXPECT_EQ(level->GetVirusCoherence(), 30);
}

// The node between the two Firewalls stays blocked until both are hacked;
// a shield pays for the first one.
TEST_F(MoveRules, BlockedUntilEveryNeighbouringSubsystemIsHacked)
{
	StartLevel(MapFromTopRows(
		{
			"h F h F C . . . . .",
			"h h p . . . . . . .",
		},
		0, 0));
	Click(0, 0);
	Click(0, 1);
	Click(1, 1);
	Click(2, 1);
	Click(2, 1);
	EXPECT_EQ(Node(2, 0)->GetState(), ENCRYPTED);
	EXPECT_EQ(Node(3, 0)->GetState(), ENCRYPTED);

	Click(1, 0);
	EXPECT_EQ(Node(2, 0)->GetState(), BLOCKED);
	Click(3, 0);
	EXPECT_EQ(Node(2, 0)->GetState(), BLOCKED);
	EXPECT_EQ(Node(4, 0)->GetState(), BLOCKED);
	// Revealed neighbours are never blocked.
	EXPECT_EQ(Node(2, 1)->GetState(), REVEALED);

	ClickSlot(0);
	for(int i = 0; i < 3; ++i)
		Click(1, 0);
	EXPECT_EQ(Node(1, 0)->GetType(), HACKED);
	EXPECT_EQ(level->GetVirusCoherence(), 70);
	EXPECT_EQ(Node(2, 0)->GetState(), BLOCKED);

	for(int i = 0; i < 3; ++i)
		Click(3, 0);
	EXPECT_EQ(Node(3, 0)->GetType(), HACKED);
	EXPECT_EQ(level->GetVirusCoherence(), 30);
	EXPECT_EQ(Node(2, 0)->GetState(), ENCRYPTED);
	EXPECT_EQ(Node(4, 0)->GetState(), ENCRYPTED);
}

TEST_F(MoveRules, ClickOnABlockedNodePassesAMove)
{
	StartLevel(MapFromTopRows({"s h R C . . . . . ."}, 1, 0));
	Click(1, 0);
	Click(0, 0);
	Click(0, 0);
	Click(2, 0);
	// The Restoration Node healed itself at the end of its own decryption.
	EXPECT_EQ(Node(2, 0)->GetCoherence(), 90);
	EXPECT_EQ(Node(3, 0)->GetState(), BLOCKED);
	ClickSlot(0);

	Click(3, 0);
	EXPECT_EQ(Node(3, 0)->GetState(), BLOCKED);
	EXPECT_EQ(Node(2, 0)->GetCoherence(), 100);
	EXPECT_EQ(level->GetVirusCoherence(), 80);
	EXPECT_EQ(level->GetIndicator()->GetCoherence(), 80);
	EXPECT_EQ(level->GetSelfRepairMoves(), 2);

	// Clicking a hacked or an empty node is no move at all.
	Click(1, 0);
	Click(5, 5);
	EXPECT_EQ(Node(2, 0)->GetCoherence(), 100);
	EXPECT_EQ(level->GetVirusCoherence(), 80);
	EXPECT_EQ(level->GetSelfRepairMoves(), 2);
}

// Restoration Nodes hanging off a row of connectors, so none blocks another.
// Each standing one heals a random target (itself included) in grid order.
TEST_F(MoveRules, EveryStandingRestorationNodeHealsOnce)
{
	const unsigned seed = SeedWhere(1, [](int draw) { return draw % 3 == 0; });
	const std::vector<int> draws = Draws(seed, 4);
	StartLevel(MapFromTopRows(
				   {
					   ". R . R . F . . . .",
					   "h h h h C . . . . .",
				   },
				   0, 1),
		seed);
	for(int column = 0; column <= 4; ++column)
		Click(column, 1);
	Click(5, 0);

	// Alone with the System Core and the Firewall, the first Restoration
	// Node draws itself.
	Click(1, 0);
	EXPECT_EQ(Node(1, 0)->GetCoherence(), 90);
	EXPECT_EQ(Node(4, 1)->GetCoherence(), 70);
	EXPECT_EQ(Node(5, 0)->GetCoherence(), 60);

	Click(3, 0);
	// Targets in grid order: both Restoration Nodes, the Core, the Firewall.
	int expected[] = {90, 80, 70, 60};
	expected[draws[2] % 4] += 10;
	expected[draws[3] % 4] += 10;
	EXPECT_EQ(Node(1, 0)->GetCoherence(), expected[0]);
	EXPECT_EQ(Node(3, 0)->GetCoherence(), expected[1]);
	EXPECT_EQ(Node(4, 1)->GetCoherence(), expected[2]);
	EXPECT_EQ(Node(5, 0)->GetCoherence(), expected[3]);
}

// Every decryption starts one pulse on the decrypted node.
TEST_F(MoveRules, DecryptionUncoversHiddenNeighboursAndStartsAPulse)
{
	StartLevel(MapFromTopRows(
		{
			"h h C . . . . . . .",
			"h . . . . . . . . .",
		},
		0, 0));
	Click(0, 0);
	EXPECT_EQ(Node(1, 0)->GetState(), ENCRYPTED);
	EXPECT_EQ(Node(0, 1)->GetState(), ENCRYPTED);
	EXPECT_EQ(level->GetPulses().size(), 1u);
	Click(1, 0);
	EXPECT_EQ(Node(2, 0)->GetState(), ENCRYPTED);
	EXPECT_EQ(level->GetPulses().size(), 2u);
	Click(2, 0);
	EXPECT_EQ(Node(2, 0)->GetState(), REVEALED);
	EXPECT_EQ(level->GetPulses().size(), 3u);
}
