#include "rules/ScriptedLevel.h"

#include "leveldata/NodeType.h"
#include "rules/NodeState.h"

#include <vector>

namespace {
	// A straight line along the top row: the start, a Firewall, the System Core.
	const std::vector<std::string> FIREWALL_LINE = {"h F C . . . . . . ."};
}

using MoveRules = ScriptedLevel;

TEST_F(MoveRules, FirewallAndSystemCoreFoughtToTheEnd)
{
	Start(FIREWALL_LINE, 0, 0);
	EXPECT_EQ(Node(0, 0).GetState(), ENCRYPTED);
	EXPECT_EQ(Node(1, 0).GetState(), HIDDEN);

	EXPECT_EQ(Click(0, 0).Find(MoveEventKind::HINT)->value, 2);
	EXPECT_EQ(Node(1, 0).GetState(), ENCRYPTED);

	Click(1, 0);
	EXPECT_EQ(Node(1, 0).GetState(), REVEALED);
	EXPECT_EQ(Node(2, 0).GetState(), BLOCKED);

	EXPECT_EQ(Attack(1, 0), std::make_pair(35, 50));
	EXPECT_EQ(Attack(1, 0), std::make_pair(10, 30));
	Click(1, 0);
	EXPECT_EQ(Node(1, 0).GetType(), HACKED);
	EXPECT_EQ(TheVirus().coherence, 30);
	EXPECT_EQ(Node(2, 0).GetState(), ENCRYPTED);

	Click(2, 0);
	EXPECT_EQ(Attack(2, 0), std::make_pair(45, 20));
	EXPECT_EQ(Attack(2, 0), std::make_pair(20, 10));
	EXPECT_FALSE(rules.HasEnded());
	Click(2, 0);
	EXPECT_EQ(rules.GetOutcome(), LevelOutcome::WON);
}

TEST_F(MoveRules, AntivirusHackedInTwoAttacksCostsForty)
{
	Start({"h A C . . . . . . ."}, 0, 0);
	Click(0, 0);
	Click(1, 0);
	EXPECT_EQ(Node(1, 0).GetCoherence(), 30);
	EXPECT_EQ(Node(1, 0).GetStrength(), 40);
	EXPECT_EQ(Node(2, 0).GetState(), BLOCKED);

	Click(1, 0);
	EXPECT_EQ(Node(1, 0).GetCoherence(), 5);
	EXPECT_EQ(TheVirus().coherence, 30);
	Click(1, 0);
	EXPECT_EQ(Node(1, 0).GetType(), HACKED);
	EXPECT_EQ(Node(1, 0).GetCoherence(), -20);
	EXPECT_EQ(TheVirus().coherence, 30);
	EXPECT_EQ(Node(2, 0).GetState(), ENCRYPTED);
	EXPECT_FALSE(rules.HasEnded());

	// A hacked node is an empty connector: clicking it is not a move.
	Click(1, 0);
	EXPECT_EQ(Node(1, 0).GetCoherence(), -20);
	EXPECT_EQ(TheVirus().coherence, 30);
}

// A Virus Suppressor at a dead end leaves the strength at 10, so the
// Anti-virus survives two attacks and its second counter-attack leaves the
// virus at exactly 0.
TEST_F(MoveRules, CounterAttackToExactlyZeroLosesDespiteSelfRepair)
{
	Start({"V h s A C . . . . ."}, 1, 0);
	Click(1, 0);
	Click(0, 0);
	EXPECT_EQ(TheVirus().strength, 10);
	Click(2, 0);
	Click(2, 0);
	EXPECT_EQ(ItemAt(0), ITEM_SELF_REPAIR);
	Click(3, 0);
	EXPECT_EQ(Node(4, 0).GetState(), BLOCKED);
	ClickSlot(0);
	EXPECT_EQ(TheVirus().selfRepairMoves, 3);
	EXPECT_EQ(TheVirus().coherence, 70);

	Click(3, 0);
	EXPECT_EQ(Node(3, 0).GetCoherence(), 20);
	EXPECT_EQ(TheVirus().coherence, 40);
	EXPECT_FALSE(rules.HasEnded());

	Click(3, 0);
	EXPECT_EQ(Node(3, 0).GetCoherence(), 10);
	// Self Repair still ticked, but the loss was already requested.
	EXPECT_EQ(TheVirus().coherence, 10);
	EXPECT_EQ(TheVirus().selfRepairMoves, 1);
	EXPECT_EQ(rules.GetOutcome(), LevelOutcome::LOST);
}

// The Restoration Node is the only target standing, so it heals itself by
// 10 at the end of every move whatever the draw.
TEST_F(MoveRules, ShieldAbsorbsTwoCounterAttacksAndTheThirdHits)
{
	Start({"h p R C . . . . . ."}, 0, 0);
	Click(0, 0);
	Click(1, 0);
	Click(1, 0);
	Click(2, 0);
	EXPECT_EQ(Node(2, 0).GetCoherence(), 90);
	ClickSlot(0);
	EXPECT_EQ(TheVirus().shieldCharges, 2);
	EXPECT_EQ(ItemAt(0), 0);

	const int restorationAfter[] = {75, 60, 45};
	const int virusAfter[] = {70, 70, 60};
	const int chargesAfter[] = {1, 0, 0};
	for(int i = 0; i < 3; ++i)
	{
		Click(2, 0);
		EXPECT_EQ(Node(2, 0).GetCoherence(), restorationAfter[i]) << "attack " << i;
		EXPECT_EQ(TheVirus().coherence, virusAfter[i]) << "attack " << i;
		EXPECT_EQ(TheVirus().shieldCharges, chargesAfter[i]) << "attack " << i;
	}
}

TEST_F(MoveRules, TwoVirusSuppressorsMakeEveryAttackHealItsTarget)
{
	Start({"V h V F C . . . . ."}, 1, 0);
	Click(1, 0);
	Click(0, 0);
	EXPECT_EQ(TheVirus().strength, 10);
	Click(2, 0);
	EXPECT_EQ(TheVirus().strength, -5);
	EXPECT_EQ(Node(3, 0).GetState(), BLOCKED);

	Click(2, 0);
	EXPECT_EQ(Node(2, 0).GetCoherence(), 85);
	EXPECT_EQ(TheVirus().coherence, 50);
	Click(2, 0);
	EXPECT_EQ(Node(2, 0).GetCoherence(), 90);
	EXPECT_EQ(Node(2, 0).GetType(), VIRUS_SUPPRESSOR);
	EXPECT_EQ(TheVirus().coherence, 30);
}

// The node between the two Firewalls stays blocked until both are hacked;
// a shield pays for the first one.
TEST_F(MoveRules, BlockedUntilEveryNeighbouringSubsystemIsHacked)
{
	Start(
		{
			"h F h F C . . . . .",
			"h h p . . . . . . .",
		},
		0, 0);
	Click(0, 0);
	Click(0, 1);
	Click(1, 1);
	Click(2, 1);
	Click(2, 1);
	EXPECT_EQ(Node(2, 0).GetState(), ENCRYPTED);
	EXPECT_EQ(Node(3, 0).GetState(), ENCRYPTED);

	Click(1, 0);
	EXPECT_EQ(Node(2, 0).GetState(), BLOCKED);
	Click(3, 0);
	EXPECT_EQ(Node(2, 0).GetState(), BLOCKED);
	EXPECT_EQ(Node(4, 0).GetState(), BLOCKED);
	// Revealed neighbours are never blocked.
	EXPECT_EQ(Node(2, 1).GetState(), REVEALED);

	ClickSlot(0);
	for(int i = 0; i < 3; ++i)
		Click(1, 0);
	EXPECT_EQ(Node(1, 0).GetType(), HACKED);
	EXPECT_EQ(TheVirus().coherence, 70);
	EXPECT_EQ(Node(2, 0).GetState(), BLOCKED);

	for(int i = 0; i < 3; ++i)
		Click(3, 0);
	EXPECT_EQ(Node(3, 0).GetType(), HACKED);
	EXPECT_EQ(TheVirus().coherence, 30);
	EXPECT_EQ(Node(2, 0).GetState(), ENCRYPTED);
	EXPECT_EQ(Node(4, 0).GetState(), ENCRYPTED);
}

TEST_F(MoveRules, ClickOnABlockedNodePassesAMove)
{
	Start({"s h R C . . . . . ."}, 1, 0);
	Click(1, 0);
	Click(0, 0);
	Click(0, 0);
	Click(2, 0);
	// The Restoration Node healed itself at the end of its own decryption.
	EXPECT_EQ(Node(2, 0).GetCoherence(), 90);
	EXPECT_EQ(Node(3, 0).GetState(), BLOCKED);
	ClickSlot(0);

	Click(3, 0);
	EXPECT_EQ(Node(3, 0).GetState(), BLOCKED);
	EXPECT_EQ(Node(2, 0).GetCoherence(), 100);
	EXPECT_EQ(TheVirus().coherence, 80);
	EXPECT_EQ(TheVirus().selfRepairMoves, 2);

	// Clicking a hacked or an empty node is no move at all.
	Click(1, 0);
	Click(5, 5);
	EXPECT_EQ(Node(2, 0).GetCoherence(), 100);
	EXPECT_EQ(TheVirus().coherence, 80);
	EXPECT_EQ(TheVirus().selfRepairMoves, 2);
}

// Restoration Nodes hanging off a row of connectors, so none blocks another.
// Each standing one heals a random target (itself included) in grid order.
TEST_F(MoveRules, EveryStandingRestorationNodeHealsOnce)
{
	Start(
		{
			". R . R . F . . . .",
			"h h h h C . . . . .",
		},
		0, 1);
	draws.draws = {3, 1, 3};
	for(int column = 0; column <= 4; ++column)
		Click(column, 1);
	Click(5, 0);

	// Alone with the System Core and the Firewall, the first Restoration
	// Node draws itself, the first of three targets.
	Click(1, 0);
	EXPECT_EQ(draws.counts, (std::vector<int>{3}));
	EXPECT_EQ(Node(1, 0).GetCoherence(), 90);
	EXPECT_EQ(Node(4, 1).GetCoherence(), 70);
	EXPECT_EQ(Node(5, 0).GetCoherence(), 60);

	Click(3, 0);
	// Targets in grid order: both Restoration Nodes, the Core, the Firewall.
	EXPECT_EQ(draws.counts, (std::vector<int>{3, 4, 4}));
	EXPECT_EQ(Node(1, 0).GetCoherence(), 90);
	EXPECT_EQ(Node(3, 0).GetCoherence(), 90);
	EXPECT_EQ(Node(4, 1).GetCoherence(), 70);
	EXPECT_EQ(Node(5, 0).GetCoherence(), 70);
}
