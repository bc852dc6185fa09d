#include "tools/player/HintLedger.h"
#include "leveldata/NodeType.h"

#include <gtest/gtest.h>

namespace {
	// A corridor along the whole of row 0, all hidden but a revealed plain
	// node at column 4.
	LevelView Corridor()
	{
		LevelView view;
		for(int column = 0; column < GRID_COLUMNS; ++column)
			for(int row = 0; row < GRID_ROWS; ++row)
				view.nodes[column][row].state = REVEALED;
		for(int column = 0; column < GRID_COLUMNS; ++column)
		{
			NodeView &node = view.nodes[column][0];
			node.present = true;
			node.state = HIDDEN;
		}
		view.nodes[4][0].state = REVEALED;
		view.nodes[4][0].type = HACKED;
		return view;
	}

	double ChanceAt(const HintLedger &ledger, const LevelView &view, int column)
	{
		return ledger.Chance(view, {column, 0});
	}
}

// A 3 rules out everything nearer and splits its promise between the two
// nodes exactly 3 away, until one of them turns out to be an objective, or
// turns out not to be one, which leaves the other certain; a 5 only rules
// out, since it means 5 or more.
TEST(HintLedger, RulesOutNearerNodesAndPromisesOneAtTheDistance)
{
	LevelView view = Corridor();
	HintLedger ledger;
	ledger.Notice(view);
	const double prior = ChanceAt(ledger, view, 0);
	EXPECT_GT(prior, 0);

	ledger.Record(view, {4, 0}, 3);
	for(int column : {2, 3, 5, 6})
		EXPECT_EQ(ChanceAt(ledger, view, column), 0) << column;
	EXPECT_DOUBLE_EQ(ChanceAt(ledger, view, 1), prior + 0.5);
	EXPECT_DOUBLE_EQ(ChanceAt(ledger, view, 7), prior + 0.5);
	EXPECT_DOUBLE_EQ(ChanceAt(ledger, view, 8), prior);

	EXPECT_FALSE(ledger.IsCertain(view, {7, 0}));

	LevelView emptyHanded = view;
	emptyHanded.nodes[1][0].state = REVEALED;
	emptyHanded.nodes[1][0].type = HACKED;
	HintLedger left = ledger;
	left.Notice(emptyHanded);
	EXPECT_TRUE(left.IsCertain(emptyHanded, {7, 0})) << "the one place left for the objective";
	EXPECT_FALSE(left.IsCertain(emptyHanded, {8, 0}));

	view.nodes[1][0].state = REVEALED;
	view.nodes[1][0].type = ITEM_KERNEL_ROT;
	ledger.Notice(view);
	EXPECT_EQ(ChanceAt(ledger, view, 1), 0) << "revealed nodes are known";
	EXPECT_DOUBLE_EQ(ChanceAt(ledger, view, 7), prior) << "the promise is kept";
	EXPECT_FALSE(ledger.IsCertain(view, {7, 0}));

	HintLedger far;
	LevelView fresh = Corridor();
	far.Record(fresh, {4, 0}, 5);
	EXPECT_EQ(ChanceAt(far, fresh, 0), 0);
	EXPECT_EQ(ChanceAt(far, fresh, 8), 0);
	EXPECT_DOUBLE_EQ(ChanceAt(far, fresh, 9), prior);
}
