#include "hud/IndicatorObject.h"

#include "rules/Virus.h"
#include "support/TestEngine.h"

#include <gtest/gtest.h>

namespace {
	const uint32_t DARK = 0x181614;
	const uint32_t COHERENCE = 0x963E0A;
	const uint32_t STRENGTH = 0x9B1A1A;
	const uint32_t BACKDROP = 0x00FF00;
	// How far each segment, top to bottom, is pushed away from the bow.
	const int BOW[25] = {17, 14, 12, 10, 8, 6, 4, 3, 2, 1, 0, 0, 0, 0, 0, 1, 2, 3, 4, 6, 8, 10, 12, 14, 17};

	class IndicatorObjectTest : public ::testing::Test {
	protected:
		IndicatorObjectTest() { engine.FillRectangle(0, 0, engine.width - 1, engine.height - 1, BACKDROP); }

		// The bottom `lit` segments in the bar colour, the rest dark, each a
		// 14 x 3 block with nothing of its colour around it.
		void ExpectBar(int x0, int y0, bool mirrored, uint32_t colour, int lit)
		{
			for(int i = 0; i < 25; ++i)
			{
				const int left = x0 + (mirrored ? -BOW[i] : BOW[i]);
				const int top = y0 + 4 * i;
				const uint32_t expected = i >= 25 - lit ? colour : DARK;
				SCOPED_TRACE(testing::Message() << "segment " << i);
				EXPECT_EQ(engine.FramePixel(left, top), expected);
				EXPECT_EQ(engine.FramePixel(left + 13, top + 2), expected);
				EXPECT_NE(engine.FramePixel(left - 1, top + 1), expected);
				EXPECT_NE(engine.FramePixel(left + 14, top + 1), expected);
				EXPECT_NE(engine.FramePixel(left + 5, top + 3), expected);
			}
		}

		void ExpectLit(int value, int maximum, int lit)
		{
			SCOPED_TRACE(testing::Message() << "value " << value << " of " << maximum);
			indicator.DrawBar(100, 100, false, COHERENCE, value, maximum);
			ExpectBar(100, 100, false, COHERENCE, lit);
		}

		TestEngine engine;
		Virus virus;
		IndicatorObject indicator{&engine, 10, 580, virus};
	};
}

TEST_F(IndicatorObjectTest, LightsOneSegmentPerTwentyFifthFromTheBottom)
{
	ExpectLit(0, 150, 0);
	ExpectLit(5, 150, 0);
	ExpectLit(6, 150, 1);
	ExpectLit(150, 150, 25);
	ExpectLit(25, 80, 7);
	ExpectLit(80, 80, 25);
}

TEST_F(IndicatorObjectTest, ValuesOutsideTheRangeLightAllOrNothing)
{
	ExpectLit(151, 150, 25);
	ExpectLit(100000000, 150, 25);
	ExpectLit(-6, 150, 0);
}

TEST_F(IndicatorObjectTest, DrawsBothBarsOverItsFrame)
{
	virus.coherence = 70;
	virus.strength = 25;
	indicator.RulesChanged();
	indicator.Draw();
	{
		SCOPED_TRACE("coherence");
		ExpectBar(20, 598, false, COHERENCE, 11);
	}
	{
		SCOPED_TRACE("strength");
		ExpectBar(151, 598, true, STRENGTH, 7);
	}
	// The frame starts eight rows down.
	EXPECT_EQ(engine.FramePixel(15, 587), BACKDROP);
	EXPECT_NE(engine.FramePixel(15, 588), BACKDROP);
}

TEST_F(IndicatorObjectTest, HiddenIndicatorDrawsNothing)
{
	indicator.visible = false;
	indicator.Draw();
	EXPECT_EQ(engine.FramePixel(37, 598), BACKDROP);
}
