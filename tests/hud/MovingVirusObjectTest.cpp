#include "hud/MovingVirusObject.h"

#include "support/TestEngine.h"

#include <gtest/gtest.h>

namespace {
	const uint32_t MARKER = 0xA34521;
	const uint32_t BACKDROP = 0x000000;

	class MovingVirusObjectTest : public ::testing::Test {
	protected:
		// Moves start at the latest update, so set that first.
		void MoveAt(int at, int fromX, int fromY, int toX, int toY)
		{
			marker.Update(at);
			marker.StartMove(fromX, fromY, toX, toY);
		}

		void ExpectAt(int time, int x, int y)
		{
			marker.Update(time);
			EXPECT_TRUE(marker.visible) << "at time " << time;
			EXPECT_EQ(marker.x, x) << "at time " << time;
			EXPECT_EQ(marker.y, y) << "at time " << time;
		}

		TestEngine engine;
		MovingVirusObject marker{&engine};
	};
}

TEST_F(MovingVirusObjectTest, FliesForHalfASecondFromItsLatestUpdate)
{
	marker.Update(0);
	EXPECT_FALSE(marker.visible);
	MoveAt(3000, 100, 100, 200, 100);
	ExpectAt(3250, 150, 100);
	ExpectAt(3499, 199, 100);
	marker.Update(3500);
	EXPECT_FALSE(marker.visible);
}

TEST_F(MovingVirusObjectTest, RestartsFromTheNewStartWhileMoving)
{
	MoveAt(1000, 100, 100, 200, 100);
	ExpectAt(1250, 150, 100);
	marker.StartMove(300, 300, 300, 400);
	EXPECT_EQ(marker.y, 300);
	ExpectAt(1500, 300, 350);
	marker.Update(1750);
	EXPECT_FALSE(marker.visible);
}

TEST_F(MovingVirusObjectTest, KeepsTenPixelsInsideTheWindow)
{
	// The start point itself is not clamped, only updated positions are.
	MoveAt(0, -50, 800, -50, 800);
	EXPECT_EQ(marker.x, -50);
	ExpectAt(1, 10, 710);
	MoveAt(1000, 1269, 709, 1269, 709);
	ExpectAt(1001, 1269, 709);
	MoveAt(2000, 9, 5, 9, 5);
	ExpectAt(2001, 10, 10);
	MoveAt(2500, 1271, 300, 1271, 300);
	ExpectAt(2501, 1270, 300);
	MoveAt(3000, 640, 360, 6400, -3600);
	for(int t = 3000; t < 3500; t += 50)
	{
		marker.Update(t);
		EXPECT_TRUE(marker.x >= 10 && marker.x <= 1270 && marker.y >= 10 && marker.y <= 710)
			<< marker.x << "," << marker.y;
	}
	EXPECT_EQ(marker.x, 1270);
	EXPECT_EQ(marker.y, 10);
}

TEST_F(MovingVirusObjectTest, DrawsATwentyPixelDiscOnlyWhileVisible)
{
	engine.FillRectangle(0, 0, engine.width - 1, engine.height - 1, BACKDROP);
	marker.Update(0);
	marker.Draw();
	EXPECT_EQ(engine.FramePixel(10, 10), BACKDROP);
	MoveAt(100, 400, 300, 400, 300);
	marker.Update(101);
	marker.Draw();
	EXPECT_EQ(engine.FramePixel(391, 300), MARKER);
	EXPECT_EQ(engine.FramePixel(408, 300), MARKER);
	EXPECT_EQ(engine.FramePixel(400, 291), MARKER);
	EXPECT_EQ(engine.FramePixel(389, 300), BACKDROP);
	EXPECT_EQ(engine.FramePixel(410, 300), BACKDROP);
	EXPECT_EQ(engine.FramePixel(400, 310), BACKDROP);
}
