#ifndef VEXARIFT_TESTS_SUPPORT_LEVELFIXTURE_H
#define VEXARIFT_TESTS_SUPPORT_LEVELFIXTURE_H

#include "play/LevelGameState.h"
#include "play/NodeObject.h"
#include "support/TestEngine.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Writes one map of DATA from nine rows of ten letters, one per column:
//   .  EMPTY        h  HACKED         C  SYSTEM_CORE    D  DATA_CACHE
//   F  FIREWALL     A  ANTIVIRUS      R  RESTORATION_NODE
//   V  VIRUS_SUPPRESSOR
//   s  ITEM_SELF_REPAIR   k  ITEM_KERNEL_ROT
//   p  ITEM_POLYMORPHIC_SHIELD   v  ITEM_SECONDARY_VECTOR
// Blanks between letters are ignored, so rows can be staggered by eye.
std::string MapFromRows(const std::vector<std::string> &rows, int startColumn, int startRow);
// The same with the rows not given (those at the bottom) all EMPTY.
std::string MapFromTopRows(std::vector<std::string> rows, int startColumn, int startRow);

// The first count values rand() gives after srand(seed): what the game will
// draw, in order, from a level started at that seed.
std::vector<int> Draws(unsigned seed, int count);
// The first seed from 1 up whose draw at the given index passes the test.
unsigned SeedWhere(int drawIndex, const std::function<bool(int)> &test);

// Runs each test in a fresh working directory that holds the game's
// pictures and fonts (linked from the run folder) and a DATA written by the
// test, on an engine whose level is built at a known seed. Clicks, keys and
// ticks go through the engine's own hooks.
class LevelFixture : public testing::Test {
protected:
	void SetUp() override;
	void TearDown() override;

	// Writes DATA with the given maps, seeds rand() and switches to a new
	// level at the next tick.
	LevelGameState *StartLevel(const std::string &data, unsigned seed = 1);
	// Runs the engine's tick at the next due time.
	void Tick();
	void Click(int column, int row, int button = 1);
	// Two clicks on the top row's nodes from column 1 to the last: the first
	// decrypts a node, the second takes the item it shows.
	void CollectTopRowItems(int lastColumn);
	void ClickSlot(int slot, int button = 1);
	void Key(int keyCode);
	// Mouse motion onto a node's centre, or any point.
	void Hover(int column, int row);
	void MoveMouse(int x, int y);
	// Runs the engine's tick and redraw at the given time.
	void TickAt(int time);
	// Replaces the engine with one that starts on the state the factory makes.
	void StartEngineOn(const std::function<std::unique_ptr<GameState>(VexaRiftEngine *)> &makeFirstState);
	// The background pixel a quarter of the way from A's centre to B's,
	// which only A's half of their link covers.
	uint32_t LinkPixel(int columnA, int rowA, int columnB, int rowB) const;
	// Whether the frame differs from the background anywhere in the box.
	bool FrameDiffersFromBackground(int left, int top, int right, int bottom) const;
	NodeObject *Node(int column, int row) const { return level->NodeAt(column, row); }

	std::unique_ptr<TestEngine> engine;
	LevelGameState *level = nullptr;
	int tick = 0;
	std::string directory;
	std::string previousDirectory;
};

#endif
