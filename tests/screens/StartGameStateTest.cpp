#include "support/LevelFixture.h"

#include "screens/StartGameState.h"

#include <SDL.h>

#include <fstream>
#include <sstream>

namespace {
	std::unique_ptr<GameState> MakeStartScreen(VexaRiftEngine *engine)
	{
		return std::make_unique<StartGameState>(engine);
	}

	int CountLines(const std::string &text, const std::string &start)
	{
		std::istringstream lines(text);
		int count = 0;
		for(std::string line; std::getline(lines, line);)
			count += line.rfind(start, 0) == 0;
		return count;
	}
}

class StartScreen : public LevelFixture {
protected:
	void SetUp() override
	{
		LevelFixture::SetUp();
		std::ofstream("DATA") << MapFromTopRows({"h C . . . . . . . ."}, 0, 0);
		StartEngineOn(MakeStartScreen);
	}
};

TEST_F(StartScreen, TitleGlidesIntoPlaceFromItsFirstTick)
{
	ASSERT_EQ(engine->ObjectCount(), 1);
	DisplayableObject *title = engine->ObjectAt(0);
	const int start = 5000;
	struct Point {
		int after;
		int x;
		int y;
	};
	// Integer steps of (-400, -450) over 2000 ms; it stops where the last
	// tick before the end left it.
	for(const Point &p :
		{Point{0, 500, 500}, Point{1000, 300, 275}, Point{1980, 104, 55}, Point{2000, 104, 55}, Point{9000, 104, 55}})
	{
		TickAt(start + p.after);
		EXPECT_EQ(title->x, p.x) << p.after << " ms";
		EXPECT_EQ(title->y, p.y) << p.after << " ms";
		EXPECT_TRUE(title->visible);
	}
	// The end of the glide is the target when a tick lands on it.
	StartEngineOn(MakeStartScreen);
	title = engine->ObjectAt(0);
	TickAt(start);
	TickAt(start + 1999);
	EXPECT_EQ(title->x, 101);
	EXPECT_EQ(title->y, 51);
}

TEST_F(StartScreen, EnterTwiceBeforeTheTickStartsOneLevel)
{
	Key(13);
	Key(13);
	EXPECT_NE(dynamic_cast<LevelGameState *>(engine->GetPendingState()), nullptr);
	testing::internal::CaptureStdout();
	Tick();
	const std::string printed = testing::internal::GetCapturedStdout();
	EXPECT_EQ(CountLines(printed, "Loaded 1 maps"), 1);
	level = dynamic_cast<LevelGameState *>(engine->GetCurrentState());
	ASSERT_NE(level, nullptr);
	EXPECT_EQ(engine->GetPendingState(), nullptr);
	EXPECT_EQ(engine->ObjectCount(), 90 + 6 + 3);
	EXPECT_EQ(level->GetVirusCoherence(), 70);
	EXPECT_EQ(Node(0, 0)->GetState(), 1);
}

TEST_F(StartScreen, OtherKeysAndTheMouseDoNothing)
{
	Tick();
	for(int key : {static_cast<int>(SDLK_KP_ENTER), 32, static_cast<int>(SDLK_KP_7), static_cast<int>('a')})
		Key(key);
	engine->MouseDown(SDL_BUTTON_LEFT, 200, 320);
	engine->MouseMoved(640, 360);
	EXPECT_EQ(engine->GetPendingState(), nullptr);
	Tick();
	EXPECT_NE(dynamic_cast<StartGameState *>(engine->GetCurrentState()), nullptr);
	EXPECT_EQ(engine->ObjectCount(), 1);
}
