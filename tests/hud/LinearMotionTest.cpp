#include "hud/LinearMotion.h"

#include <gtest/gtest.h>

namespace {
	LinearMotion Leg(int startTime, int endTime, int startX, int startY, int endX, int endY)
	{
		LinearMotion motion;
		motion.startTime = startTime;
		motion.endTime = endTime;
		motion.startX = startX;
		motion.startY = startY;
		motion.endX = endX;
		motion.endY = endY;
		return motion;
	}

	void ExpectAt(LinearMotion motion, int time, int x, int y)
	{
		motion.UpdatePosition(time);
		EXPECT_EQ(motion.currentX, x) << "at time " << time;
		EXPECT_EQ(motion.currentY, y) << "at time " << time;
	}
}

TEST(LinearMotion, HoldsTheEndPointsOutsideTheLeg)
{
	const LinearMotion leg = Leg(1000, 1500, 0, 0, 101, 40);
	ExpectAt(leg, 0, 0, 0);
	ExpectAt(leg, 1000, 0, 0);
	ExpectAt(leg, 1500, 101, 40);
	ExpectAt(leg, 99999, 101, 40);
}

TEST(LinearMotion, InterpolatesWithTruncationTowardZero)
{
	ExpectAt(Leg(1000, 1500, 0, 0, 101, 0), 1250, 50, 0);
	ExpectAt(Leg(1000, 1500, 0, 0, 101, 0), 1001, 0, 0);
	ExpectAt(Leg(1000, 1500, 0, 0, 101, 0), 1499, 100, 0);
	// -50.5 must become -50, not -51.
	ExpectAt(Leg(1000, 1500, 0, 0, -101, -101), 1250, -50, -50);
	ExpectAt(Leg(1000, 1500, 10, 300, 20, 200), 1250, 15, 250);
}

TEST(LinearMotion, LongLegsDoNotOverflow)
{
	// 1,000,000 ms in, times 10,000 pixels, is past the range of an int.
	ExpectAt(Leg(0, 2000000, 0, 0, 10000, -10000), 1000000, 5000, -5000);
}
