#include "support/RecordingState.h"
#include "support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;

namespace {
	const int ENTER = 13;

	class StateSwitchTest : public ::testing::Test {
	protected:
		StateSwitchTest()
			: engine([this](VexaRiftEngine *e) {
				  auto first = std::make_unique<RecordingState>(e, log, "A", 0x0000AA);
				  first->onKey = [this, e](int key) {
					  if(key == ENTER)
						  e->SetNextState(new RecordingState(e, log, "L" + std::to_string(++made), 0x00BB00));
				  };
				  return first;
			  })
		{
			FlushEvents();
			engine.RunPass(1000);
			log.clear();
		}
		~StateSwitchTest() override { FlushEvents(); }

		std::vector<std::string> log;
		int made = 0;
		TestEngine engine;
	};
}

TEST_F(StateSwitchTest, SwitchWaitsForTheNextDueTickAfterItsUpdate)
{
	PushKey(SDL_KEYDOWN, ENTER);
	engine.RunPass(1005);
	EXPECT_THAT(log, ElementsAre("A.key:13"));
	ASSERT_NE(engine.GetPendingState(), nullptr);

	// Still the old screen: its handlers run until the switch.
	log.clear();
	PushMouseButton(SDL_MOUSEBUTTONDOWN, 1, 4, 4);
	engine.RunPass(1009);
	EXPECT_THAT(log, ElementsAre("A.down:1,4,4"));

	// The old screen's last update, then the old state, then its objects;
	// the new screen's objects before its background; then one full frame.
	log.clear();
	SDL_FillRect(engine.frameSurface, nullptr, 0);
	engine.RunPass(1010);
	EXPECT_THAT(log,
		ElementsAre("A.object.update@1010", "A.deleted", "A.object.deleted", "L1.objects", "L1.background",
			"L1.strings", "L1.object.draw"));
	EXPECT_EQ(engine.GetPendingState(), nullptr);
	EXPECT_EQ(engine.FramePixel(0, 0), 0x00BB00u);
	EXPECT_EQ(engine.FramePixel(1279, 719), 0x00BB00u);

	// The new objects get their first update at the next due tick.
	log.clear();
	engine.RunPass(1015);
	engine.RunPass(1020);
	EXPECT_THAT(log, ElementsAre("L1.object.update@1020"));
}

TEST_F(StateSwitchTest, ANewerPendingStateDisplacesTheOlder)
{
	PushKey(SDL_KEYDOWN, ENTER);
	PushKey(SDL_KEYDOWN, ENTER);
	engine.RunPass(1001);
	EXPECT_THAT(log, ElementsAre("A.key:13", "A.key:13", "L1.deleted"));

	log.clear();
	engine.RunPass(1010);
	EXPECT_THAT(log,
		ElementsAre("A.object.update@1010", "A.deleted", "A.object.deleted", "L2.objects", "L2.background",
			"L2.strings", "L2.object.draw"));

	// Nothing is left pending after the switch.
	log.clear();
	engine.RunPass(1020);
	EXPECT_THAT(log, ElementsAre("L2.object.update@1020"));
}

TEST_F(StateSwitchTest, NullLeavesNothingPending)
{
	engine.SetNextState(new RecordingState(&engine, log, "P"));
	engine.SetNextState(nullptr);
	EXPECT_THAT(log, ElementsAre("P.deleted"));
	log.clear();
	engine.RunPass(1010);
	EXPECT_THAT(log, ElementsAre("A.object.update@1010"));
}

TEST_F(StateSwitchTest, EscNeverReachesAState)
{
	PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
	PushKey(SDL_KEYDOWN, ENTER);
	EXPECT_FALSE(engine.RunPass(1010));
	EXPECT_EQ(engine.exitCode, 0);
	// Enter still counted and the tick still switched in that same pass.
	EXPECT_THAT(log,
		ElementsAre("A.key:13", "A.object.update@1010", "A.deleted", "A.object.deleted", "L1.objects", "L1.background",
			"L1.strings", "L1.object.draw"));
}

TEST_F(StateSwitchTest, RebuildingInPlaceKeepsTheState)
{
	engine.InitialiseObjects();
	engine.SetupBackground();
	EXPECT_THAT(log, ElementsAre("A.object.deleted", "A.objects", "A.background"));
	EXPECT_EQ(engine.ObjectCount(), 1);
}

TEST(StateOwnership, EngineDeletesCurrentAndPendingStates)
{
	std::vector<std::string> log;
	{
		TestEngine engine([&log](VexaRiftEngine *e) { return std::make_unique<RecordingState>(e, log, "A"); });
		engine.SetNextState(new RecordingState(&engine, log, "B"));
		log.clear();
	}
	// The states go first, then the objects of the screen.
	EXPECT_THAT(log, ElementsAre("A.deleted", "B.deleted", "A.object.deleted"));
}

TEST(StateOwnership, StartupBuildsTheFirstScreenOnce)
{
	std::vector<std::string> log;
	TestEngine engine([&log](VexaRiftEngine *e) { return std::make_unique<RecordingState>(e, log, "A"); });
	EXPECT_THAT(log, ElementsAre("A.objects", "A.background"));
	EXPECT_EQ(engine.redrawNeeded, 1);
	EXPECT_EQ(engine.fullRedraw, 1);
	EXPECT_THAT(engine.GetPendingState(), nullptr);
}
