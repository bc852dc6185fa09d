#include "support/TestEngine.h"

#include <gtest/gtest.h>

TEST(TestEngineSetup, StartsWithWindowAndSurfaces)
{
	TestEngine engine;
	ASSERT_NE(engine.frameSurface, nullptr);
	ASSERT_NE(engine.backgroundSurface, nullptr);
	EXPECT_EQ(engine.width, 1280);
	EXPECT_EQ(engine.height, 720);
	engine.FillRectangle(0, 0, 1, 1, 0x123456);
	EXPECT_EQ(engine.FramePixel(1, 1), 0x123456u);
}
