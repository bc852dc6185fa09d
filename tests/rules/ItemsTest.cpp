#include "rules/ScriptedLevel.h"

#include "leveldata/NodeType.h"
#include "rules/NodeState.h"

#include <vector>

using Items = ScriptedLevel;

// The Firewall at (3, 0) is attacked some times first, then hit with
// Kernel Rot: the node keeps the larger half.
TEST_F(Items, KernelRotTakesHalfTheCoherence)
{
	struct Case {
		int attacks;
		int before;
		int after;
	};
	for(const Case &c : {Case{0, 60, 30}, Case{1, 35, 18}})
	{
		Start({"h k s F C . . . . ."}, 0, 0);
		Click(0, 0);
		Click(1, 0);
		Click(1, 0);
		Click(2, 0);
		Click(3, 0);
		for(int i = 0; i < c.attacks; ++i)
			Click(3, 0);
		const int virus = TheVirus().coherence;
		ASSERT_EQ(Node(3, 0).GetCoherence(), c.before);

		ClickSlot(0);
		EXPECT_EQ(rules.GetSelectedSlot(), 0);
		EXPECT_EQ(ItemAt(0), ITEM_KERNEL_ROT);
		Click(3, 0);
		EXPECT_EQ(Node(3, 0).GetCoherence(), c.after);
		EXPECT_EQ(Node(3, 0).GetType(), FIREWALL);
		EXPECT_EQ(TheVirus().coherence, virus) << "no counter-attack";
		EXPECT_EQ(ItemAt(0), 0);
		EXPECT_EQ(rules.GetSelectedSlot(), -1);
	}
}

// Four Kernel Rots on an Anti-virus at 5: 3, 2, 1 and 1 again.
TEST_F(Items, KernelRotNeverHacks)
{
	Start({"h k k k k A C . . ."}, 0, 0);
	Click(0, 0);
	CollectTopRowItems(3);
	Click(4, 0);
	Click(5, 0);
	Click(5, 0);
	ASSERT_EQ(Node(5, 0).GetCoherence(), 5);

	const int after[] = {3, 2, 1};
	for(int slot = 0; slot < 3; ++slot)
	{
		ClickSlot(slot);
		Click(5, 0);
		EXPECT_EQ(Node(5, 0).GetCoherence(), after[slot]);
	}
	Click(4, 0);
	EXPECT_EQ(ItemAt(0), ITEM_KERNEL_ROT);
	ClickSlot(0);
	Click(5, 0);
	EXPECT_EQ(Node(5, 0).GetCoherence(), 1);
	EXPECT_EQ(Node(5, 0).GetType(), ANTIVIRUS);
	EXPECT_EQ(Node(6, 0).GetState(), BLOCKED);
}

TEST_F(Items, SecondaryVectorHacksTheCoreAtTheEndOfAnUnrelatedMove)
{
	Start({"h v C h h . . . . ."}, 0, 0);
	Click(0, 0);
	Click(1, 0);
	Click(1, 0);
	Click(2, 0);
	Click(2, 0);
	EXPECT_EQ(Node(2, 0).GetCoherence(), 45);
	EXPECT_EQ(TheVirus().coherence, 60);

	ClickSlot(0);
	Click(2, 0);
	EXPECT_EQ(Node(2, 0).GetCoherence(), 25);
	EXPECT_EQ(rules.GetSecondaryVectorMoves(), 2);
	EXPECT_EQ(ItemAt(0), 0);
	EXPECT_EQ(TheVirus().coherence, 60);

	Click(3, 0);
	EXPECT_EQ(Node(2, 0).GetCoherence(), 5);
	EXPECT_FALSE(rules.HasEnded());
	Click(4, 0);
	EXPECT_EQ(Node(2, 0).GetType(), HACKED);
	EXPECT_EQ(rules.GetSecondaryVectorMoves(), 0);
	EXPECT_EQ(rules.GetOutcome(), LevelOutcome::WON);
}

// A second Secondary Vector takes over the target and starts the count anew.
TEST_F(Items, SecondaryVectorFollowsOnlyItsLatestTarget)
{
	Start(
		{
			"h v v F . C . . . .",
			". . h h h . . . . .",
		},
		0, 0);
	Click(0, 0);
	Click(1, 0);
	Click(1, 0);
	Click(2, 0);
	Click(2, 0);
	for(int column = 2; column <= 4; ++column)
		Click(column, 1);
	Click(5, 0);
	Click(3, 0);

	ClickSlot(0);
	Click(3, 0);
	EXPECT_EQ(Node(3, 0).GetCoherence(), 40);
	ClickSlot(1);
	Click(5, 0);
	EXPECT_EQ(rules.GetSecondaryVectorMoves(), 2);
	EXPECT_EQ(Node(5, 0).GetCoherence(), 50);
	EXPECT_EQ(Node(3, 0).GetCoherence(), 40);

	Click(5, 0);
	EXPECT_EQ(Node(5, 0).GetCoherence(), 5);
	EXPECT_EQ(TheVirus().coherence, 60);
	Click(3, 0);
	EXPECT_EQ(Node(3, 0).GetCoherence(), 15);
	EXPECT_EQ(TheVirus().coherence, 40);
	EXPECT_EQ(Node(5, 0).GetType(), HACKED);
	EXPECT_EQ(rules.GetOutcome(), LevelOutcome::WON);
}

TEST_F(Items, SelfRepairAddsTenAfterEachMoveAndStacks)
{
	Start({"h s s h h h h h h C"}, 0, 0);
	for(int column = 0; column <= 2; ++column)
		Click(column, 0);
	Click(1, 0);
	Click(2, 0);
	ClickSlot(0);
	ClickSlot(1);
	EXPECT_EQ(TheVirus().selfRepairMoves, 6);
	EXPECT_EQ(TheVirus().coherence, 70);
	EXPECT_EQ(ItemAt(0), 0);
	EXPECT_EQ(ItemAt(1), 0);

	for(int column = 3; column <= 8; ++column)
	{
		Click(column, 0);
		EXPECT_EQ(TheVirus().coherence, 70 + 10 * (column - 2));
	}
	Click(9, 0);
	EXPECT_EQ(TheVirus().coherence, 130);
	EXPECT_EQ(TheVirus().selfRepairMoves, 0);
}

TEST_F(Items, ShieldsStackAndLastUntilACounterAttackComes)
{
	Start({"h p p h F C . . . ."}, 0, 0);
	for(int column = 0; column <= 2; ++column)
		Click(column, 0);
	Click(1, 0);
	Click(2, 0);
	ClickSlot(1);
	ClickSlot(0);
	EXPECT_EQ(TheVirus().shieldCharges, 4);
	Click(3, 0);
	Click(4, 0);
	EXPECT_EQ(TheVirus().shieldCharges, 4);

	Click(4, 0);
	Click(4, 0);
	EXPECT_EQ(TheVirus().shieldCharges, 2);
	EXPECT_EQ(TheVirus().coherence, 70);
	// The third attack hacks: no counter-attack, no charge used.
	Click(4, 0);
	EXPECT_EQ(Node(4, 0).GetType(), HACKED);
	EXPECT_EQ(TheVirus().shieldCharges, 2);
}

TEST_F(Items, FourthItemWaitsOnItsNodeUntilASlotIsFree)
{
	Start({"h s p k v F C . . ."}, 0, 0);
	Click(0, 0);
	CollectTopRowItems(3);
	Click(4, 0);
	Click(5, 0);
	ClickSlot(2);
	ASSERT_EQ(rules.GetSelectedSlot(), 2);

	// Refused and not a move: the selection survives.
	Click(4, 0);
	EXPECT_EQ(Node(4, 0).GetType(), ITEM_SECONDARY_VECTOR);
	EXPECT_EQ(rules.GetSelectedSlot(), 2);
	EXPECT_EQ(ItemAt(0), ITEM_SELF_REPAIR);
	EXPECT_EQ(ItemAt(1), ITEM_POLYMORPHIC_SHIELD);
	EXPECT_EQ(ItemAt(2), ITEM_KERNEL_ROT);

	Click(5, 0);
	EXPECT_EQ(Node(5, 0).GetCoherence(), 30);
	Click(4, 0);
	EXPECT_EQ(Node(4, 0).GetType(), HACKED);
	EXPECT_EQ(ItemAt(2), ITEM_SECONDARY_VECTOR);
}

TEST_F(Items, SelectionLastsUntilAMoveOrAnotherSlot)
{
	Start({"h k h h C . . . . ."}, 0, 0);
	Click(0, 0);
	Click(1, 0);
	Click(1, 0);
	ClickSlot(0);
	EXPECT_EQ(rules.GetSelectedSlot(), 0);

	// Hidden, hacked and empty nodes are no moves.
	Click(3, 0);
	Click(1, 0);
	Click(5, 5);
	EXPECT_EQ(rules.GetSelectedSlot(), 0);
	ClickSlot(0);
	EXPECT_EQ(rules.GetSelectedSlot(), 0);
	ClickSlot(1);
	EXPECT_EQ(rules.GetSelectedSlot(), -1);

	ClickSlot(0);
	Click(2, 0);
	EXPECT_EQ(Node(2, 0).GetState(), REVEALED);
	EXPECT_EQ(rules.GetSelectedSlot(), -1);
	EXPECT_EQ(ItemAt(0), ITEM_KERNEL_ROT);
}
