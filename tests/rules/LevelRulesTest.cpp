#include "rules/LevelRules.h"

#include "rules/ScriptedLevel.h"
#include "rules/SeededRandom.h"

#include <string>
#include <vector>

namespace {
	MapRecord Map(const std::vector<std::string> &rows, GridPosition start = {0, 0})
	{
		return MapOfLetters(rows, start.column, start.row);
	}

	std::vector<MoveEventKind> Kinds(const MoveReport &report)
	{
		std::vector<MoveEventKind> kinds;
		for(const MoveEvent &event : report.events)
			kinds.push_back(event.kind);
		return kinds;
	}

}

using LevelRulesTest = ScriptedLevel;

// The front end replays the events in order, so the order is part of the
// rules: the node first, then its uncovered neighbours with their markers,
// then the blocks a Defense Subsystem casts, last the hint.
TEST_F(LevelRulesTest, DecryptionReportsInTheOrderTheScreenShowsIt)
{
	rules.Start(Map({"hFhC", "hhhh"}));
	using K = MoveEventKind;
	MoveReport report = rules.ClickNode({0, 0});
	EXPECT_EQ(Kinds(report), (std::vector<K>{K::REVEALED, K::UNCOVERED, K::UNCOVERED, K::HINT}));
	EXPECT_EQ(report.events.back().value, 3);

	report = rules.ClickNode({1, 0});
	EXPECT_EQ(Kinds(report),
		(std::vector<K>{K::REVEALED, K::UNCOVERED, K::UNCOVERED, K::BLOCKED, K::BLOCKED, K::BLOCKED, K::HINT}));
	EXPECT_EQ(report.events[1].at, (GridPosition{2, 0}));
	EXPECT_EQ(report.events[2].value, 1);
	EXPECT_EQ(report.events[4].at, (GridPosition{0, 1}));
	EXPECT_EQ(report.events.back().value, 2);
	EXPECT_TRUE(report.moved);
	EXPECT_EQ(rules.At({1, 0}).GetCoherence(), 60);
	EXPECT_EQ(rules.At({1, 1}).GetState(), BLOCKED);
}

TEST_F(LevelRulesTest, RefusedClicksAndSlotsAreNoMoves)
{
	rules.Start(Map({"hhsC"}));
	EXPECT_FALSE(rules.ClickNode({3, 0}).moved);
	EXPECT_FALSE(rules.ActivateSlot(0).moved);
	rules.ClickNode({0, 0});
	rules.ClickNode({1, 0});
	rules.ClickNode({2, 0});
	const MoveReport pickUp = rules.ClickNode({2, 0});
	ASSERT_TRUE(pickUp.moved);
	EXPECT_EQ(pickUp.Find(MoveEventKind::PICKED_UP)->value, 0);
	EXPECT_EQ(rules.At({2, 0}).GetType(), HACKED);

	const MoveReport use = rules.ActivateSlot(0);
	EXPECT_FALSE(use.moved);
	EXPECT_TRUE(use.Has(MoveEventKind::ITEM_USED));
	EXPECT_EQ(rules.GetVirus().selfRepairMoves, Virus::SELF_REPAIR_MOVES);
	EXPECT_EQ(rules.GetItems().ItemAt(0), EMPTY);
	// Nothing on a hacked node, nor a second take.
	EXPECT_FALSE(rules.ClickNode({2, 0}).moved);
	EXPECT_TRUE(draws.counts.empty());
}

// The rules draw only for a Data Cache (below 100) and for each Restoration
// Node's heal (below the number of targets), in that order within a move.
TEST_F(LevelRulesTest, DrawsOnlyForCachesAndHeals)
{
	rules.Start(Map({"DhRC"}, {1, 0}));
	rules.ClickNode({1, 0});
	rules.ClickNode({0, 0});
	EXPECT_TRUE(draws.counts.empty());
	rules.ClickNode({2, 0});
	EXPECT_EQ(draws.counts, (std::vector<int>{1}));
	draws.draws = {60, 1};
	const MoveReport open = rules.ClickNode({0, 0});
	EXPECT_EQ(draws.counts, (std::vector<int>{1, 100, 2}));
	EXPECT_EQ(open.Find(MoveEventKind::OPENED)->value, FIREWALL);
	EXPECT_EQ(rules.At({0, 0}).GetCoherence(), 60);
	// The cache opened into a second target before the heal was drawn.
	const MoveEvent *heal = open.Find(MoveEventKind::HEALED);
	ASSERT_NE(heal, nullptr);
	EXPECT_EQ(heal->at, (GridPosition{2, 0}));
	EXPECT_EQ(rules.At({2, 0}).GetCoherence(), 80 + 2 * LevelRules::RESTORATION_HEAL);
}

// A counter-attack that takes the last coherence loses the level, but the
// Secondary Vector still has its turn in the same move; when it brings the
// System Core down, the win holds. After either, nothing more is played.
TEST_F(LevelRulesTest, TheLastEndingOfAMoveHoldsAndEndsTheLevel)
{
	rules.Start(Map({"hvCV", "A"}));
	for(const GridPosition p : {GridPosition{0, 0}, {1, 0}, {1, 0}, {2, 0}, {2, 0}, {3, 0}, {0, 1}})
		rules.ClickNode(p);
	// The Virus Suppressor leaves 10 of the 25 strength.
	EXPECT_EQ(rules.GetVirus().strength, Virus::STARTING_STRENGTH - Virus::SUPPRESSOR_PENALTY);
	rules.ActivateSlot(0);
	rules.ClickNode({2, 0});
	// Hit once by the attack, once by the vector as it was applied.
	EXPECT_EQ(rules.At({2, 0}).GetCoherence(), 70 - 25 - LevelRules::SECONDARY_VECTOR_DAMAGE);
	rules.ClickNode({0, 1});
	const MoveReport last = rules.ClickNode({0, 1});
	// The System Core struck back once with 10, the Antivirus twice with 40.
	EXPECT_EQ(rules.GetVirus().coherence, 70 - 10 - 40 - 40);
	using K = MoveEventKind;
	std::vector<K> endings;
	for(K kind : Kinds(last))
		if(kind == K::WON || kind == K::LOST)
			endings.push_back(kind);
	EXPECT_EQ(endings, (std::vector<K>{K::LOST, K::WON}));
	EXPECT_EQ(rules.GetOutcome(), LevelOutcome::WON);
	EXPECT_FALSE(rules.ClickNode({0, 1}).moved);
	EXPECT_TRUE(rules.ActivateSlot(0).events.empty());
}

TEST_F(LevelRulesTest, DistanceCountsEveryNodeButEmptyOnesAndMinusOneForNone)
{
	rules.Start(Map({"hhh.C", "h...h", "hhhhh"}));
	// Round the bottom: the gap in the top row is no way through.
	EXPECT_EQ(rules.DistanceToObjective({0, 0}), 7);
	EXPECT_EQ(rules.DistanceToObjective({4, 0}), 0);
	rules.Start(Map({"hh"}));
	EXPECT_EQ(rules.DistanceToObjective({0, 0}), -1);
}

// Hidden and blocked nodes count like any other.
TEST_F(LevelRulesTest, HiddenAndBlockedNodesArePassable)
{
	Start({". h h C", ". h F"}, 1, 1);
	EXPECT_EQ(Click(1, 1).Find(MoveEventKind::HINT)->value, 2);
	ASSERT_EQ(Node(3, 0).GetState(), HIDDEN);
	Click(2, 1);
	ASSERT_EQ(Node(2, 0).GetState(), BLOCKED);
	EXPECT_EQ(Click(1, 0).Find(MoveEventKind::HINT)->value, 2);
}

TEST(SeededRandom, SameSeedSameStreamWhateverElseDraws)
{
	SeededRandom a(7);
	SeededRandom b(7);
	SeededRandom other(8);
	std::vector<int> fromA;
	std::vector<int> fromB;
	for(int i = 0; i < 50; ++i)
	{
		fromA.push_back(a.Below(100));
		other.Below(100);
		fromB.push_back(b.Below(100));
		EXPECT_GE(fromA.back(), 0);
		EXPECT_LT(fromA.back(), 100);
	}
	EXPECT_EQ(fromA, fromB);
}
