#ifndef VEXARIFT_TESTS_RULES_SCRIPTEDLEVEL_H
#define VEXARIFT_TESTS_RULES_SCRIPTEDLEVEL_H

#include "leveldata/MapRecord.h"
#include "rules/LevelRules.h"
#include "rules/RandomSource.h"
#include "support/MapLetters.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <utility>
#include <vector>

// Hands out the draws a test scripts, 0 once they run out, and counts what
// was asked.
class ScriptedDraws : public RandomSource {
public:
	int Below(int count) override
	{
		counts.push_back(count);
		if(draws.empty())
			return 0;
		const int draw = draws.front();
		draws.pop_front();
		return draw % count;
	}

	std::deque<int> draws;
	std::vector<int> counts;
};

// A level played on the rules alone, clicked as a player clicks: a map of
// letters (see MapLetters.h), its chances scripted.
class ScriptedLevel : public testing::Test {
protected:
	void Start(const std::vector<std::string> &rows, int startColumn, int startRow)
	{
		rules.Start(MapOfLetters(rows, startColumn, startRow));
	}
	MoveReport Click(int column, int row) { return rules.ClickNode({column, row}); }
	void ClickSlot(int slot) { rules.ActivateSlot(slot); }
	// Two clicks on the top row's nodes from column 1 to the last: the first
	// decrypts a node, the second takes the item it shows.
	void CollectTopRowItems(int lastColumn)
	{
		for(int column = 1; column <= lastColumn; ++column)
		{
			Click(column, 0);
			Click(column, 0);
		}
	}
	// One click on a defender: its coherence and the virus's after the exchange.
	std::pair<int, int> Attack(int column, int row)
	{
		Click(column, row);
		return {Node(column, row).GetCoherence(), TheVirus().coherence};
	}
	const NetworkNode &Node(int column, int row) const { return rules.At({column, row}); }
	const Virus &TheVirus() const { return rules.GetVirus(); }
	int ItemAt(int slot) const { return rules.GetItems().ItemAt(slot); }

	ScriptedDraws draws;
	LevelRules rules{draws};
};

#endif
