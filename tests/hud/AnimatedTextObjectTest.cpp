#include "hud/AnimatedTextObject.h"

#include "support/TestEngine.h"

#include <gtest/gtest.h>

#include <string>

namespace {
	// Listed by its own construction; the engine deletes it.
	AnimatedTextObject *MakeText(TestEngine &engine, bool hideWhenDone)
	{
		return new AnimatedTextObject(
			&engine, "5", 10, 20, 10, 40, engine.GetFont("riftsans_bold.otf", 16), 1000, hideWhenDone);
	}
}

TEST(AnimatedTextObject, StartsAtItsFirstUpdateAndHidesAtTheEnd)
{
	TestEngine engine;
	AnimatedTextObject *text = MakeText(engine, true);
	text->Update(5000);
	EXPECT_EQ(text->y, 20);
	text->Update(5500);
	EXPECT_EQ(text->y, 30);
	text->Update(5999);
	EXPECT_EQ(text->y, 39);
	EXPECT_TRUE(text->visible);
	engine.redrawNeeded = 0;
	text->Update(6005);
	EXPECT_FALSE(text->visible);
	EXPECT_EQ(engine.redrawNeeded, 1);
	// Not advanced to the target: it stays where the last step left it.
	EXPECT_EQ(text->y, 39);
}

TEST(AnimatedTextObject, StaysAtItsLastInterpolatedPositionWhenNotHiding)
{
	TestEngine engine;
	AnimatedTextObject *text = MakeText(engine, false);
	text->Update(0);
	text->Update(995);
	text->Update(1000);
	text->Update(5000);
	EXPECT_TRUE(text->visible);
	EXPECT_EQ(text->y, 39);
}

TEST(AnimatedTextObject, CutsLongTexts)
{
	TestEngine engine;
	const std::string longText(300, 'x');
	AnimatedTextObject text(
		&engine, longText.c_str(), 0, 0, 0, 0, engine.GetFont("riftsans_regular.otf", 12), 1000, true);
	EXPECT_EQ(text.GetText(), std::string(199, 'x'));
}
