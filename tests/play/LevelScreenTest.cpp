#include "support/LevelFixture.h"

#include "hud/CursorObject.h"
#include "hud/IndicatorObject.h"
#include "hud/ItemSlots.h"
#include "hud/MovingVirusObject.h"
#include "leveldata/NodeType.h"
#include "rules/NodeState.h"
#include "screens/EndGameState.h"

#include <SDL.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <vector>

namespace {
	const uint32_t HIDDEN_LINK = 0x131313;
	const uint32_t ENCRYPTED_LINK = 0x2C443D;
	const uint32_t REVEALED_LINK = 0x672B13;
	const uint32_t BLOCKED_LINK = 0x000000;

	const int ENTER = 13;
	const int SPACE = 32;

	// Every position a node except (6, 6); the start at (0, 0).
	std::string FullMap()
	{
		std::vector<std::string> rows(9, "h h h h h h h h h h");
		rows[6] = "h h h h h h . h h h";
		rows[8] = "h h h h h h h h h C";
		return MapFromRows(rows, 0, 0);
	}

	// Neither a node tile nor an item slot: in the bottom band, right half.
	const int OFF_X = 1000;
	const int OFF_Y = 700;
}

class LevelScreen : public LevelFixture {
protected:
	bool CursorOn(int column, int row) const
	{
		return level->GetCursor()->x == Node(column, row)->x && level->GetCursor()->y == Node(column, row)->y;
	}
	// Both halves of the link show the colour.
	void ExpectLink(int columnA, int rowA, int columnB, int rowB, uint32_t colour)
	{
		EXPECT_EQ(LinkPixel(columnA, rowA, columnB, rowB), colour)
			<< "from (" << columnA << ", " << rowA << ") to (" << columnB << ", " << rowB << ")";
		EXPECT_EQ(LinkPixel(columnB, rowB, columnA, rowA), colour)
			<< "from (" << columnB << ", " << rowB << ") to (" << columnA << ", " << rowA << ")";
	}
	void ExpectNoLink(int columnA, int rowA, int columnB, int rowB)
	{
		for(uint32_t colour : {HIDDEN_LINK, ENCRYPTED_LINK, REVEALED_LINK, BLOCKED_LINK})
			EXPECT_NE(LinkPixel(columnA, rowA, columnB, rowB), colour)
				<< "from (" << columnA << ", " << rowA << ") to (" << columnB << ", " << rowB << ")";
	}
};

TEST_F(LevelScreen, LinksTakeTheColoursOfTheirNodesAfterEveryMove)
{
	StartLevel(MapFromTopRows(
		{
			"h h h h F h . . . C",
			"h h h h h h h h h h",
		},
		0, 0));
	ExpectLink(0, 0, 1, 0, ENCRYPTED_LINK);
	ExpectLink(1, 0, 2, 0, HIDDEN_LINK);
	ExpectLink(7, 1, 8, 1, HIDDEN_LINK);

	for(int column = 0; column <= 4; ++column)
		Click(column, 0);
	ExpectLink(0, 0, 1, 0, REVEALED_LINK);
	ExpectLink(3, 0, 4, 0, REVEALED_LINK);
	ExpectLink(3, 0, 3, 1, BLOCKED_LINK);
	ExpectLink(4, 0, 5, 0, BLOCKED_LINK);
	ExpectLink(1, 0, 1, 1, ENCRYPTED_LINK);
	ExpectLink(7, 1, 8, 1, HIDDEN_LINK);
	// No link runs to an EMPTY position, blocked neighbour or not.
	ExpectNoLink(5, 0, 6, 0);

	// Play never puts a revealed node beside a hidden one; force it on the
	// rules' node, which the rules hold as a plain, changeable value.
	const_cast<NetworkNode &>(level->GetRules().At({7, 1})).SetState(REVEALED);
	level->SetupBackground();
	ExpectNoLink(7, 1, 8, 1);
	ExpectNoLink(8, 1, 7, 1);
}

TEST_F(LevelScreen, KeypadStepsToTheSixNeighbours)
{
	StartLevel(FullMap());
	struct Step {
		int key;
		int fromColumn;
		int fromRow;
		int toColumn;
		int toRow;
	};
	const Step steps[] = {
		{SDLK_KP_1, 4, 4, 3, 5},
		{SDLK_KP_3, 4, 4, 4, 5},
		{SDLK_KP_4, 4, 4, 3, 4},
		{SDLK_KP_7, 4, 4, 3, 3},
		{SDLK_KP_9, 4, 4, 4, 3},
		{SDLK_KP_1, 4, 3, 4, 4},
		{SDLK_KP_3, 4, 3, 5, 4},
		{SDLK_KP_6, 4, 3, 5, 3},
		{SDLK_KP_7, 4, 3, 4, 2},
		{SDLK_KP_9, 4, 3, 5, 2},
	};
	for(const Step &step : steps)
	{
		Hover(step.fromColumn, step.fromRow);
		Key(step.key);
		EXPECT_TRUE(CursorOn(step.toColumn, step.toRow)) << "key " << std::hex << step.key << std::dec << " from ("
														 << step.fromColumn << ", " << step.fromRow << ")";
		EXPECT_EQ(level->GetHoverType(), HACKED);
		EXPECT_EQ(level->GetHoverState(), HIDDEN);
	}

	// Onto the gap at (6, 6): allowed, and the panel shows nothing.
	Hover(5, 6);
	Key(SDLK_KP_6);
	EXPECT_TRUE(CursorOn(6, 6));
	EXPECT_EQ(level->GetHoverType(), 0);
}

TEST_F(LevelScreen, KeypadStopsAtTheEdgesOfTheGrid)
{
	StartLevel(FullMap());
	struct Edge {
		int key;
		int column;
		int row;
	};
	const Edge edges[] = {
		{SDLK_KP_4, 0, 3},
		{SDLK_KP_4, 0, 4},
		{SDLK_KP_6, 9, 3},
		{SDLK_KP_6, 9, 4},
		{SDLK_KP_1, 0, 2},
		{SDLK_KP_7, 0, 2},
		{SDLK_KP_3, 9, 5},
		{SDLK_KP_9, 9, 5},
		{SDLK_KP_7, 4, 0},
		{SDLK_KP_9, 4, 0},
		{SDLK_KP_9, 9, 0},
		{SDLK_KP_1, 4, 8},
		{SDLK_KP_3, 4, 8},
		{SDLK_KP_1, 0, 8},
		{SDLK_KP_2, 4, 4},
		{SDLK_KP_5, 4, 4},
		{SDLK_KP_8, 4, 4},
	};
	for(const Edge &edge : edges)
	{
		Hover(edge.column, edge.row);
		// Clear the panel first, so a refresh on the same node would show.
		MoveMouse(OFF_X, OFF_Y);
		Key(edge.key);
		EXPECT_TRUE(CursorOn(edge.column, edge.row))
			<< "key " << std::hex << edge.key << std::dec << " at (" << edge.column << ", " << edge.row << ")";
		EXPECT_EQ(level->GetHoverType(), 0)
			<< "key " << std::hex << edge.key << std::dec << " at (" << edge.column << ", " << edge.row << ")";
	}

	// Up-left of the corner truncates back onto the corner: a refresh.
	Hover(0, 0);
	MoveMouse(OFF_X, OFF_Y);
	Key(SDLK_KP_7);
	EXPECT_TRUE(CursorOn(0, 0));
	EXPECT_EQ(level->GetHoverType(), HACKED);
	EXPECT_EQ(level->GetHoverState(), ENCRYPTED);
}

TEST_F(LevelScreen, SpacePlaysTheNodeUnderTheCursor)
{
	StartLevel(FullMap());
	// The cursor starts on (9, 0), which is still hidden.
	EXPECT_TRUE(CursorOn(9, 0));
	Key(SPACE);
	EXPECT_EQ(Node(9, 0)->GetState(), HIDDEN);
	EXPECT_TRUE(level->GetPulses().empty());

	Hover(0, 0);
	Key(SPACE);
	EXPECT_EQ(Node(0, 0)->GetState(), REVEALED);
	EXPECT_EQ(Node(1, 0)->GetState(), ENCRYPTED);
}

TEST_F(LevelScreen, OnlyTheLeftButtonPlaysANodeButAnyButtonUsesASlot)
{
	StartLevel(MapFromTopRows({"h s p C . . . . . ."}, 0, 0));
	Click(0, 0, SDL_BUTTON_RIGHT);
	Click(0, 0, SDL_BUTTON_MIDDLE);
	EXPECT_EQ(Node(0, 0)->GetState(), ENCRYPTED);
	Click(0, 0);
	Click(1, 0);
	Click(1, 0);
	Click(2, 0);
	Click(2, 0);

	ClickSlot(0, SDL_BUTTON_RIGHT);
	EXPECT_EQ(level->GetSelfRepairMoves(), 3);
	ClickSlot(1, SDL_BUTTON_MIDDLE);
	EXPECT_EQ(level->GetShieldCharges(), 2);

	// Between two nodes of the top row: neither a node tile nor a slot.
	engine->MouseDown(SDL_BUTTON_LEFT, Node(2, 0)->x + 64, Node(2, 0)->y);
	EXPECT_EQ(Node(3, 0)->GetState(), ENCRYPTED);
	EXPECT_EQ(level->GetSelfRepairMoves(), 3);
	Click(3, 0);
	EXPECT_EQ(Node(3, 0)->GetState(), REVEALED);
	EXPECT_EQ(level->GetSelfRepairMoves(), 2);
}

TEST_F(LevelScreen, HoverDescribesNodesAndSlots)
{
	StartLevel(MapFromTopRows({"h k C . . . . . . ."}, 0, 0));
	Hover(0, 0);
	EXPECT_TRUE(CursorOn(0, 0));
	EXPECT_EQ(level->GetHoverType(), HACKED);
	EXPECT_EQ(level->GetHoverState(), ENCRYPTED);

	Hover(4, 4);
	EXPECT_TRUE(CursorOn(4, 4));
	EXPECT_EQ(level->GetHoverType(), 0);

	Click(0, 0);
	Click(1, 0);
	Click(1, 0);
	ItemSlots *slots = level->GetItemSlots();
	MoveMouse(slots->SlotX(0) + 50, slots->SlotY(0) + 50);
	EXPECT_EQ(level->GetHoverType(), ITEM_KERNEL_ROT);
	EXPECT_EQ(level->GetHoverState(), REVEALED);
	// The cursor stays on the last node.
	EXPECT_TRUE(CursorOn(4, 4));
	MoveMouse(slots->SlotX(1), slots->SlotY(1));
	EXPECT_EQ(level->GetHoverType(), 0);
	MoveMouse(OFF_X, OFF_Y);
	EXPECT_EQ(level->GetHoverType(), 0);
	EXPECT_EQ(level->GetHoverState(), 0);
}

// The description panel takes the band's right half; "Select target"
// starts at x 650, left of anything the panel writes.
TEST_F(LevelScreen, PanelAndSelectTargetAreDrawnOnTheFrame)
{
	StartLevel(MapFromTopRows({"h k C . . . . . . ."}, 0, 0));
	Tick();
	EXPECT_FALSE(FrameDiffersFromBackground(700, 585, 1280, 720));
	Hover(0, 0);
	Tick();
	EXPECT_TRUE(FrameDiffersFromBackground(700, 585, 1280, 720));
	MoveMouse(OFF_X, OFF_Y);
	Tick();
	EXPECT_FALSE(FrameDiffersFromBackground(700, 585, 1280, 720));

	Click(0, 0);
	Click(1, 0);
	Click(1, 0);
	Tick();
	EXPECT_FALSE(FrameDiffersFromBackground(645, 585, 700, 620));
	ClickSlot(0);
	Tick();
	EXPECT_TRUE(FrameDiffersFromBackground(645, 585, 700, 620));
	ClickSlot(1);
	Tick();
	EXPECT_FALSE(FrameDiffersFromBackground(645, 585, 700, 620));
}

// On a level where nothing else changes, a click on a slot shows in the
// redraw of the same pass: the choice of a target, and a slot emptied by
// its use, just as a full repaint would show them.
TEST_F(LevelScreen, ASlotClickShowsAtOnce)
{
	StartLevel(MapFromTopRows({"h k s C . . . . . ."}, 0, 0));
	Click(0, 0);
	CollectTopRowItems(2);
	Tick();
	ClickSlot(0);
	engine->RedrawScreen();
	EXPECT_TRUE(FrameDiffersFromBackground(645, 585, 700, 620));
	ClickSlot(1);
	engine->RedrawScreen();
	EXPECT_FALSE(FrameDiffersFromBackground(645, 585, 700, 620));
	const SDL_Surface *frame = engine->frameSurface;
	const std::vector<uint8_t> partial(static_cast<const uint8_t *>(frame->pixels),
		static_cast<const uint8_t *>(frame->pixels) + static_cast<size_t>(frame->pitch) * frame->h);
	engine->redrawNeeded = 1;
	engine->fullRedraw = 1;
	engine->RedrawScreen();
	EXPECT_TRUE(std::equal(partial.begin(), partial.end(), static_cast<const uint8_t *>(frame->pixels)));
}

// The pointer leaving the grid changes the panel: the redraw of the same
// pass shows it, with no tick to help.
TEST_F(LevelScreen, LeavingTheGridClearsThePanelAtOnce)
{
	StartLevel(MapFromTopRows({"h k C . . . . . . ."}, 0, 0));
	Hover(0, 0);
	Tick();
	ASSERT_TRUE(FrameDiffersFromBackground(700, 585, 1280, 720));
	MoveMouse(OFF_X, OFF_Y);
	engine->RedrawScreen();
	EXPECT_FALSE(FrameDiffersFromBackground(700, 585, 1280, 720));
}

// Nothing on a level waiting for a click changes its look, so its ticks ask
// for no redraw; a move sets the markers, the numbers and a pulse moving.
TEST_F(LevelScreen, AWaitingLevelAsksForNoRedrawUntilAMove)
{
	StartLevel(MapFromTopRows({"h h C . . . . . . ."}, 0, 0));
	Tick();
	for(int i = 0; i < 300; ++i)
	{
		engine->RunNextTick();
		ASSERT_EQ(engine->redrawNeeded, 0) << "tick " << i;
	}
	Click(0, 0);
	engine->RedrawScreen();
	engine->RunNextTick();
	EXPECT_EQ(engine->redrawNeeded, 1);
}

// A move made in the pass that starts the level comes before its objects'
// first update; the markers must still fly from then, not from time 0.
TEST_F(LevelScreen, MarkersFlyFromAMoveBeforeTheLevelsFirstTick)
{
	TickAt(5000);
	StartLevel(MapFromTopRows({"h h C . . . . . . ."}, 0, 0));
	Click(0, 0);
	Tick();
	bool flying = false;
	for(int i = 0; i < 6; ++i)
		flying = flying || level->GetVirusMarker(i)->visible;
	EXPECT_TRUE(flying);
}

TEST_F(LevelScreen, MapIsChosenWithTheFirstDrawAndAgainOnRestart)
{
	const std::string maps =
		MapFromTopRows({"h C . . . . . . . ."}, 0, 0) + MapFromTopRows({". . . . . . . . C h"}, 9, 0);
	for(int first = 0; first < 2; ++first)
	{
		const unsigned seed = SeedWhere(0, [first](int draw) { return draw % 2 == first; });
		const int second = Draws(seed, 2)[1] % 2;
		StartLevel(maps, seed);
		EXPECT_EQ(Node(first == 0 ? 0 : 9, 0)->GetState(), ENCRYPTED);
		Key(ENTER);
		EXPECT_EQ(Node(second == 0 ? 0 : 9, 0)->GetState(), ENCRYPTED);
		EXPECT_EQ(Node(second == 0 ? 9 : 0, 0)->GetState(), REVEALED) << "an EMPTY position";
	}
}

// Enter starts over on whatever DATA holds now, with nothing of the old
// level left running.
TEST_F(LevelScreen, RestartIsAFreshLevelInEveryRespect)
{
	StartLevel(MapFromTopRows(
		{
			"h s p v k F C . . .",
			"V . . . . . . . . .",
		},
		0, 0));
	Click(0, 0);
	CollectTopRowItems(3);
	Click(4, 0);
	Click(5, 0);
	Click(5, 0);
	Click(0, 1);
	ClickSlot(2);
	Click(0, 1);
	Click(4, 0);
	ClickSlot(0);
	ClickSlot(1);
	ClickSlot(2);
	Hover(5, 0);
	ASSERT_EQ(level->GetVirusStrength(), 10);
	ASSERT_EQ(level->GetVirusCoherence(), 50);
	ASSERT_EQ(level->GetShieldCharges(), 2);
	ASSERT_EQ(level->GetSelfRepairMoves(), 3);
	ASSERT_EQ(level->GetSecondaryVectorMoves(), 1);
	ASSERT_EQ(level->GetSelectedSlot(), 2);
	ASSERT_NE(level->GetHoverType(), 0);
	ASSERT_FALSE(level->GetPulses().empty());
	Tick();

	std::ofstream("DATA") << MapFromTopRows(
		{
			". . . . . . . . . .",
			". . . . . . . . . .",
			". . . . h F C . . .",
		},
		4, 2);
	Key(ENTER);
	EXPECT_EQ(engine->GetCurrentState(), level);
	EXPECT_EQ(Node(4, 2)->GetState(), ENCRYPTED);
	EXPECT_EQ(Node(0, 0)->GetType(), EMPTY);
	EXPECT_EQ(level->GetVirusCoherence(), 70);
	EXPECT_EQ(level->GetVirusStrength(), 25);
	EXPECT_EQ(level->GetIndicator()->GetCoherence(), 70);
	EXPECT_EQ(level->GetIndicator()->GetStrength(), 25);
	EXPECT_EQ(level->GetShieldCharges(), 0);
	EXPECT_EQ(level->GetSelfRepairMoves(), 0);
	EXPECT_EQ(level->GetSecondaryVectorMoves(), 0);
	EXPECT_EQ(level->GetSelectedSlot(), -1);
	EXPECT_EQ(level->GetHoverType(), 0);
	EXPECT_TRUE(level->GetPulses().empty());
	for(int slot = 0; slot < 3; ++slot)
		EXPECT_EQ(level->GetItemSlots()->ItemAt(slot), 0);
	// Nodes, six markers, cursor, indicator and item slots.
	EXPECT_EQ(engine->ObjectCount(), 90 + 6 + 3);
	EXPECT_TRUE(CursorOn(9, 0));

	// The new level plays on its own: the Firewall starts from 60 and no
	// Secondary Vector damage lands.
	Click(4, 2);
	Click(5, 2);
	Click(5, 2);
	EXPECT_EQ(Node(5, 2)->GetCoherence(), 35);
	EXPECT_EQ(level->GetVirusCoherence(), 50);
	for(int i = 0; i < 60; ++i)
		Tick();
	EXPECT_EQ(level->GetPulses().size(), 2u);
}

// The background and the pictures are kept through a level and made anew
// for the next: a restart onto another map, with a picture changed in
// between, shows what a fresh start on that map shows.
TEST_F(LevelScreen, RestartRepaintsTheBackgroundAndReadsThePicturesAgain)
{
	StartLevel(FullMap());
	for(int column = 0; column < 5; ++column)
		Click(column, 0);
	Tick();

	const std::string next = MapFromTopRows({"h h F C . h . . . .", ". h h . . . . . . ."}, 1, 0);
	std::ofstream("DATA") << next;
	ASSERT_EQ(unlink("EncryptedNode.png"), 0);
	ASSERT_EQ(symlink(VEXARIFT_GAME_DIR "/Firewall.png", "EncryptedNode.png"), 0);
	Key(ENTER);
	Tick();
	ImageData firewall;
	ASSERT_TRUE(firewall.LoadImage("Firewall.png"));
	ImageData expected;
	expected.ShrinkFrom(firewall, 1);
	const ImageData &shown = Node(1, 0)->GetImage();
	ASSERT_EQ(shown.GetWidth(), expected.GetWidth());
	for(int y = 0; y < expected.GetHeight(); ++y)
		for(int x = 0; x < expected.GetWidth(); ++x)
			ASSERT_EQ(shown.PixelAt(x, y), expected.PixelAt(x, y)) << x << ", " << y;

	const auto *pixels = static_cast<const uint32_t *>(engine->backgroundSurface->pixels);
	const std::vector<uint32_t> restarted(pixels, pixels + engine->width * engine->height);
	StartLevel(next);
	EXPECT_TRUE(std::equal(restarted.begin(), restarted.end(), pixels));
}

TEST_F(LevelScreen, NoMapInDataEndsTheGameAfterThePass)
{
	testing::internal::CaptureStderr();
	StartLevel("");
	const std::string errors = testing::internal::GetCapturedStderr();
	EXPECT_NE(errors.find("DATA"), std::string::npos);
	EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1);
	EXPECT_EQ(engine->exitCode, 1);
	for(int column = 0; column < 10; ++column)
		for(int row = 0; row < 9; ++row)
			EXPECT_EQ(Node(column, row)->GetType(), EMPTY);

	// Nothing it can be asked to do breaks it before the loop ends.
	Click(0, 0);
	Hover(4, 4);
	Key(SPACE);
	Key(SDLK_KP_7);
	ClickSlot(0);
	Tick();
	EXPECT_FALSE(engine->PassAt(tick + 10));
}

// The panel follows the node it describes through a move, so it never goes
// on calling a revealed System Core an encrypted node.
TEST_F(LevelScreen, PanelFollowsTheHoveredNodeThroughAMove)
{
	StartLevel(MapFromTopRows({"h C . . . . . . . ."}, 0, 0));
	Click(0, 0);
	Hover(1, 0);
	EXPECT_EQ(level->GetHoverState(), ENCRYPTED);
	Click(1, 0);
	EXPECT_EQ(level->GetHoverType(), SYSTEM_CORE);
	EXPECT_EQ(level->GetHoverState(), REVEALED);

	ItemSlots *slots = level->GetItemSlots();
	MoveMouse(slots->SlotX(0), slots->SlotY(0));
	Key(SPACE);
	EXPECT_EQ(level->GetHoverType(), 0) << "a slot's description stays while the keyboard plays";
}

// Clicks can reach the level in the same loop pass as the winning move,
// before the end screen takes over. The network here has nothing left to
// find, so decrypting would end the program.
TEST_F(LevelScreen, NoMoveAfterTheLevelHasEnded)
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

// Every decryption starts one pulse on the decrypted node.
TEST_F(LevelScreen, DecryptionUncoversHiddenNeighboursAndStartsAPulse)
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
