#include "hud/AnimatedTextObject.h"

#include "support/TestEngine.h"

#include <gtest/gtest.h>

#include <string>

namespace {
	class AnimatedTextObjectTest : public ::testing::Test {
	protected:
		// Listed by its own construction; the engine deletes it.
		AnimatedTextObject *MakeText(bool hideWhenDone)
		{
			return new AnimatedTextObject(&engine, "5", 10, 20, 10, 40,
				engine.GetFont("riftsans_bold.otf", 16), 1000, hideWhenDone);
		}

		TestEngine engine;
	};
}

TEST_F(AnimatedTextObjectTest, StartsMovingAtItsFirstUpdate)
{
	AnimatedTextObject *text = MakeText(true);
	EXPECT_EQ(engine.ObjectAt(engine.ObjectCount() - 1), text);
	EXPECT_TRUE(text->visible);

	engine.redrawNeeded = 0;
	text->Update(5000);
	EXPECT_EQ(text->x, 10);
	EXPECT_EQ(text->y, 20);
	EXPECT_EQ(engine.redrawNeeded, 1);

	text->Update(5500);
	EXPECT_EQ(text->y, 30);
	EXPECT_EQ(text->previousY, 20);
	text->Update(5999);
	EXPECT_EQ(text->y, 39);
	EXPECT_TRUE(text->visible);
}

TEST_F(AnimatedTextObjectTest, HidesOnTheFirstTickAtOrAfterTheEnd)
{
	AnimatedTextObject *text = MakeText(true);
	text->Update(5000);
	text->Update(5990);
	engine.redrawNeeded = 0;
	text->Update(6005);
	EXPECT_FALSE(text->visible);
	EXPECT_EQ(engine.redrawNeeded, 1);
	// Not advanced to the target: it stays where the last step left it.
	EXPECT_EQ(text->y, 39);
	text->Update(9000);
	EXPECT_FALSE(text->visible);
}

TEST_F(AnimatedTextObjectTest, StaysAtItsLastInterpolatedPositionWhenNotHiding)
{
	AnimatedTextObject *text = MakeText(false);
	text->Update(0);
	text->Update(995);
	text->Update(1000);
	text->Update(5000);
	EXPECT_TRUE(text->visible);
	EXPECT_EQ(text->x, 10);
	EXPECT_EQ(text->y, 39);
}

TEST_F(AnimatedTextObjectTest, DrawsOnlyWhileVisible)
{
	AnimatedTextObject *text = MakeText(true);
	text->Update(0);
	text->Update(1000);
	text->previousY = -1;
	text->Draw();
	EXPECT_EQ(text->previousY, -1);
}

TEST_F(AnimatedTextObjectTest, CutsLongTexts)
{
	const std::string longText(300, 'x');
	AnimatedTextObject *text = new AnimatedTextObject(&engine, longText.c_str(), 0, 0, 0, 0,
		engine.GetFont("riftsans_regular.otf", 12), 1000, true);
	EXPECT_EQ(text->GetText(), std::string(199, 'x'));
	delete text;
}
