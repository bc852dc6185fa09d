#include "support/RecordingState.h"
#include "support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {
	class MainLoopTest : public ::testing::Test {
	protected:
		MainLoopTest()
			: engine([this](VexaRiftEngine *e) { return std::make_unique<RecordingState>(e, log, "S", 0x00AA00); })
		{
			FlushEvents();
			log.clear();
		}
		~MainLoopTest() override { FlushEvents(); }

		// The log without the entries of the given kinds.
		std::vector<std::string> Without(std::initializer_list<std::string> hooks) const
		{
			std::vector<std::string> kept;
			for(const std::string &entry : log)
			{
				bool drop = false;
				for(const std::string &hook : hooks)
					drop = drop || entry.find(hook) != std::string::npos;
				if(!drop)
					kept.push_back(entry);
			}
			return kept;
		}

		std::vector<std::string> log;
		TestEngine engine;
	};
}

TEST_F(MainLoopTest, TicksComeEveryTenMillisecondsWithoutCatchingUp)
{
	for(int tick : {100, 105, 109, 110, 200, 205, 209, 210})
		engine.RunPass(tick);
	EXPECT_THAT(Without({"draw", "strings"}),
		ElementsAre("S.object.update@100", "S.object.update@110", "S.object.update@200", "S.object.update@210"));
	EXPECT_EQ(engine.nextTickTime, 220);
	EXPECT_EQ(engine.GetTime(), 210);
}

TEST_F(MainLoopTest, RedrawsOnlyWhenAskedInTheRightOrder)
{
	// The constructed engine still owes its first, full frame.
	SDL_FillRect(engine.frameSurface, nullptr, 0x123456);
	engine.RunPass(0);
	EXPECT_THAT(Without({"update"}), ElementsAre("S.strings", "S.object.draw"));
	EXPECT_EQ(engine.FramePixel(640, 360), 0x00AA00u);

	log.clear();
	engine.RunPass(5);
	engine.RunPass(10);
	EXPECT_THAT(Without({"update"}), IsEmpty());

	// A partial redraw restores the background itself, then writes the texts
	// and draws the objects in list order.
	engine.AddObject(new RecordingObject(&engine, log, "T"));
	engine.redrawNeeded = 1;
	engine.RunPass(11);
	EXPECT_THAT(Without({"update"}), ElementsAre("S.strings", "S.object.draw", "T.draw"));
	EXPECT_EQ(engine.redrawNeeded, 0);

	log.clear();
	SDL_FillRect(engine.frameSurface, nullptr, 0x123456);
	engine.redrawNeeded = 1;
	engine.fullRedraw = 1;
	engine.RunPass(12);
	EXPECT_THAT(log, ElementsAre("S.strings", "S.object.draw", "T.draw"));
	EXPECT_EQ(engine.FramePixel(1279, 719), 0x00AA00u);
	EXPECT_EQ(engine.fullRedraw, 0);
}

namespace {
	// The loop over simulated time: the clock moves only while the loop
	// waits, and a loop that never waits is stopped after many passes.
	class SimulatedClockEngine : public TestEngine {
	public:
		using TestEngine::TestEngine;
		int ReadClock() override
		{
			if(++reads > MAX_READS)
				exitCode = 0;
			return now;
		}
		void WaitForEvent(int milliseconds) override
		{
			now += milliseconds;
			if(now >= END_TIME)
				exitCode = 0;
		}

		static constexpr int END_TIME = 1000;
		static constexpr int MAX_READS = 100000;
		int now = 0;
		int reads = 0;
	};
}

TEST_F(MainLoopTest, TheLoopRestsUntilTheNextTick)
{
	SimulatedClockEngine resting(
		[this](VexaRiftEngine *e) { return std::make_unique<RecordingState>(e, log, "S", 0x00AA00); });
	FlushEvents();
	log.clear();
	EXPECT_EQ(resting.MainLoop(), 0);
	EXPECT_EQ(resting.now, SimulatedClockEngine::END_TIME);
	// One pass per tick, each reading the clock for the pass and the rest.
	EXPECT_EQ(Without({"draw", "strings"}).size(), 100u);
	EXPECT_LE(resting.reads, 2 * 100 + 1);
}

TEST_F(MainLoopTest, EscEndsThePassButTheQueueIsStillServed)
{
	engine.RunPass(0);
	log.clear();
	PushKey(SDL_KEYDOWN, 'a');
	PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
	PushKey(SDL_KEYDOWN, 'b');
	PushMouseButton(SDL_MOUSEBUTTONDOWN, 1, 20, 30);
	engine.redrawNeeded = 1;
	engine.fullRedraw = 1;
	EXPECT_FALSE(engine.RunPass(10));
	EXPECT_EQ(engine.exitCode, 0);
	EXPECT_EQ(engine.keyStates[27], 1);
	EXPECT_THAT(
		log, ElementsAre("S.key:97", "S.key:98", "S.down:1,20,30", "S.object.update@10", "S.strings", "S.object.draw"));

	// Once ended, a pass does nothing at all.
	log.clear();
	PushKey(SDL_KEYDOWN, 'c');
	EXPECT_FALSE(engine.RunPass(20));
	EXPECT_THAT(log, IsEmpty());
}

TEST_F(MainLoopTest, WindowCloseEndsAtOnce)
{
	engine.RunPass(0);
	log.clear();
	PushKey(SDL_KEYDOWN, 'a');
	PushQuit();
	PushKey(SDL_KEYDOWN, 'b');
	engine.redrawNeeded = 1;
	EXPECT_FALSE(engine.RunPass(10));
	EXPECT_THAT(log, ElementsAre("S.key:97"));
	EXPECT_EQ(engine.redrawNeeded, 1);
	EXPECT_EQ(engine.nextTickTime, 10);
}

TEST_F(MainLoopTest, MainLoopReturnsZeroAfterCloseOrEsc)
{
	PushQuit();
	EXPECT_EQ(engine.MainLoop(), 0);
	FlushEvents();

	TestEngine second;
	PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
	EXPECT_EQ(second.MainLoop(), 0);
	EXPECT_EQ(second.exitCode, 0);
}

TEST_F(MainLoopTest, InputReachesTheStateAndTheKeyTable)
{
	PushKey(SDL_KEYDOWN, 'x');
	PushKey(SDL_KEYDOWN, 'x');
	PushKey(SDL_KEYDOWN, SDLK_LSHIFT);
	PushKey(SDL_KEYDOWN, SDLK_F5);
	PushMouseMotion(30, 40);
	PushMouseButton(SDL_MOUSEBUTTONDOWN, 3, 5, 6);
	PushMouseButton(SDL_MOUSEBUTTONUP, 3, 7, 8);
	engine.RunPass(0);
	EXPECT_THAT(Without({"update", "draw", "strings"}),
		ElementsAre("S.key:120", "S.key:120", "S.key:" + std::to_string(SDLK_LSHIFT),
			"S.key:" + std::to_string(SDLK_F5), "S.moved:30,40", "S.down:3,5,6"));
	EXPECT_EQ(engine.keyStates['x'], 1);
	EXPECT_EQ(engine.keyStates[0], 1);
	EXPECT_EQ(engine.keyStates[136], 1);
	EXPECT_EQ(engine.mouseX, 30);
	EXPECT_EQ(engine.mouseY, 40);
	EXPECT_EQ(engine.mouseDownX, 5);
	EXPECT_EQ(engine.mouseDownY, 6);
	EXPECT_EQ(engine.mouseUpX, 7);
	EXPECT_EQ(engine.mouseUpY, 8);

	// Releases clear the table and never reach the state.
	log.clear();
	PushKey(SDL_KEYUP, 'x');
	PushKey(SDL_KEYUP, SDLK_KP_8);
	PushKey(SDL_KEYUP, SDLK_F5);
	engine.RunPass(1);
	EXPECT_THAT(Without({"update", "draw", "strings"}), IsEmpty());
	EXPECT_EQ(engine.keyStates['x'], 0);
	EXPECT_EQ(engine.keyStates[0], 0);
	EXPECT_EQ(engine.keyStates[136], 0);
}

TEST(KeyTableIndex, MapsTheTrackedKeysAndNothingElse)
{
	for(int code = 0; code <= 127; ++code)
		EXPECT_EQ(BaseEngine::KeyTableIndex(code), code);
	const std::pair<int, int> tracked[] = {{SDLK_UP, 128}, {SDLK_DOWN, 129}, {SDLK_LEFT, 130}, {SDLK_RIGHT, 131},
		{SDLK_F1, 132}, {SDLK_F6, 137}, {SDLK_F12, 143}, {SDLK_PRINTSCREEN, 144}, {SDLK_SCROLLLOCK, 145},
		{SDLK_PAUSE, 146}, {SDLK_INSERT, 147}, {SDLK_HOME, 148}, {SDLK_PAGEUP, 149}, {SDLK_END, 151},
		{SDLK_PAGEDOWN, 152}, {SDLK_CAPSLOCK, 158}, {SDLK_NUMLOCKCLEAR, 159}, {SDLK_KP_DIVIDE, 160},
		{SDLK_KP_MULTIPLY, 161}, {SDLK_KP_MINUS, 162}, {SDLK_KP_PLUS, 163}, {SDLK_KP_ENTER, 164}};
	for(const auto &[code, index] : tracked)
		EXPECT_EQ(BaseEngine::KeyTableIndex(code), index) << code;
	for(int code : std::vector<int>{SDLK_LSHIFT, SDLK_RCTRL, SDLK_KP_1, SDLK_KP_9, SDLK_F13, -1})
		EXPECT_EQ(BaseEngine::KeyTableIndex(code), 0) << code;

	// Over every key of the keyboard, only the listed indices come out.
	std::set<int> produced;
	for(int scancode = 0; scancode < SDL_NUM_SCANCODES; ++scancode)
		produced.insert(BaseEngine::KeyTableIndex(SDL_SCANCODE_TO_KEYCODE(scancode)));
	for(int index : produced)
		EXPECT_TRUE(index <= 149 || index == 151 || index == 152 || (index >= 158 && index <= 164)) << index;
}
