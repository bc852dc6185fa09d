#include "hud/CursorObject.h"

#include "support/TestEngine.h"

#include <gtest/gtest.h>

namespace {
	const uint32_t WHITE = 0xFFFFFF;
	const uint32_t BACKDROP = 0x000000;

	class CursorObjectTest : public ::testing::Test {
	protected:
		CursorObjectTest() { engine.FillRectangle(0, 0, engine.width - 1, engine.height - 1, BACKDROP); }

		TestEngine engine;
		CursorObject cursor{&engine};
	};
}

TEST_F(CursorObjectTest, OutlinesA64PixelSquareWithStrokesTowardTheCentre)
{
	cursor.MoveTo(100, 100);
	cursor.Draw();
	for(int i = 68; i <= 131; ++i)
	{
		EXPECT_EQ(engine.FramePixel(i, 68), WHITE) << i;
		EXPECT_EQ(engine.FramePixel(i, 131), WHITE) << i;
		EXPECT_EQ(engine.FramePixel(68, i), WHITE) << i;
		EXPECT_EQ(engine.FramePixel(131, i), WHITE) << i;
	}
	EXPECT_EQ(engine.FramePixel(67, 68), BACKDROP);
	EXPECT_EQ(engine.FramePixel(132, 131), BACKDROP);
	EXPECT_EQ(engine.FramePixel(69, 69), BACKDROP);
	// Near both ends of each stroke; a stroke on the other diagonal of its
	// corner box would miss them.
	const int strokePixels[][2] = {
		{79, 79}, {82, 82}, // top left, (78, 78) to (83, 83)
		{117, 117}, {120, 120}, // bottom right, (116, 116) to (121, 121)
		{79, 120}, {82, 117}, // bottom left, (78, 121) to (83, 116)
		{117, 82}, {120, 79}, // top right, (116, 83) to (121, 78)
	};
	for(const auto &p : strokePixels)
		EXPECT_EQ(engine.FramePixel(p[0], p[1]), WHITE) << p[0] << "," << p[1];
	EXPECT_EQ(engine.FramePixel(79, 82), BACKDROP);
	EXPECT_EQ(engine.FramePixel(117, 79), BACKDROP);
	EXPECT_EQ(engine.FramePixel(86, 86), BACKDROP);
}

TEST_F(CursorObjectTest, MovesOnlyThroughMoveToWhichAlwaysAsksForARedraw)
{
	cursor.MoveTo(200, 300);
	EXPECT_EQ(cursor.previousX, 0);
	engine.redrawNeeded = 0;
	cursor.MoveTo(200, 300);
	EXPECT_EQ(engine.redrawNeeded, 1);
	EXPECT_EQ(cursor.previousX, 200);
	engine.redrawNeeded = 0;
	cursor.Update(10);
	EXPECT_EQ(engine.redrawNeeded, 0);
	EXPECT_EQ(cursor.x, 200);
}

TEST_F(CursorObjectTest, AtTheWindowCornerOnlyItsLowerRightQuarterShows)
{
	cursor.Draw();
	EXPECT_EQ(engine.FramePixel(31, 0), WHITE);
	EXPECT_EQ(engine.FramePixel(31, 31), WHITE);
	EXPECT_EQ(engine.FramePixel(32, 31), BACKDROP);
}
