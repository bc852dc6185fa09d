#include "support/LevelFixture.h"

#include "screens/EndGameState.h"

#include <SDL.h>

#include <cstring>
#include <fstream>

namespace {
	// The title boxes of the two layouts: "Success" near the top, "Failure"
	// in the middle, each a line of 128-point letters.
	struct Box {
		int left;
		int top;
		int right;
		int bottom;
	};
	const Box WON_TITLE = {100, 50, 500, 170};
	const Box LOST_TITLE = {30, 350, 430, 470};
}

class EndScreen : public LevelFixture {
protected:
	void Show(bool won)
	{
		end = new EndGameState(engine.get(), won);
		engine->SetNextState(end);
		Tick();
		ASSERT_EQ(engine->GetCurrentState(), end);
	}
	bool TitleIn(const Box &box) const { return FrameDiffersFromBackground(box.left, box.top, box.right, box.bottom); }

	EndGameState *end = nullptr;
};

TEST_F(EndScreen, SuccessAtTheTopFailureInTheMiddle)
{
	Show(true);
	EXPECT_TRUE(end->IsWon());
	EXPECT_EQ(engine->ObjectCount(), 0);
	EXPECT_TRUE(TitleIn(WON_TITLE));
	EXPECT_FALSE(TitleIn(LOST_TITLE));
	// Both key hints sit low on the screen.
	EXPECT_TRUE(FrameDiffersFromBackground(110, 560, 400, 700));

	Show(false);
	EXPECT_FALSE(end->IsWon());
	EXPECT_TRUE(TitleIn(LOST_TITLE));
	EXPECT_FALSE(TitleIn(WON_TITLE));
	EXPECT_TRUE(FrameDiffersFromBackground(40, 560, 330, 700));
}

TEST_F(EndScreen, OnlyEnterLeavesAndNothingElseRedraws)
{
	Show(false);
	const size_t bytes = static_cast<size_t>(engine->frameSurface->pitch) * engine->height;
	std::vector<uint8_t> frame(bytes);
	memcpy(frame.data(), engine->frameSurface->pixels, bytes);

	for(int key : {static_cast<int>(SDLK_KP_ENTER), 32, static_cast<int>(SDLK_KP_1), static_cast<int>('r')})
		Key(key);
	engine->MouseDown(SDL_BUTTON_LEFT, 100, 400);
	engine->MouseDown(SDL_BUTTON_RIGHT, 640, 560);
	engine->MouseMoved(300, 300);
	EXPECT_EQ(engine->GetPendingState(), nullptr);
	EXPECT_EQ(engine->redrawNeeded, 0);
	Tick();
	EXPECT_EQ(engine->GetCurrentState(), end);
	EXPECT_EQ(memcmp(frame.data(), engine->frameSurface->pixels, bytes), 0);

	std::ofstream("DATA") << MapFromTopRows({"h C . . . . . . . ."}, 0, 0);
	Key(13);
	level = dynamic_cast<LevelGameState *>(engine->GetPendingState());
	ASSERT_NE(level, nullptr);
	Tick();
	EXPECT_EQ(engine->GetCurrentState(), level);
	EXPECT_EQ(level->GetVirusCoherence(), 70);
	EXPECT_EQ(level->GetVirusStrength(), 25);
	EXPECT_EQ(level->GetSelectedSlot(), -1);
	EXPECT_EQ(engine->ObjectCount(), 90 + 6 + 3);
}
