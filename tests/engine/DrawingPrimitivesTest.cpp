#include "support/PixelSurface.h"
#include "support/TestEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {
	const uint32_t INK = 0x00ABCDEF;

	class DrawingTest : public ::testing::Test {
	protected:
		TestEngine engine;
		PixelSurface target{16, 16};

		PixelSet Drawn() const { return target.PixelsOf(INK); }
	};

	// The line rule written out plainly, for comparing long or random lines.
	PixelSet ReferenceLine(double x1, double y1, double x2, double y2, int width, int height)
	{
		auto round = [](double v) { return static_cast<int>(v + 0.5); };
		const long steps = std::labs(round(x2) - round(x1)) + std::labs(round(y2) - round(y1)) + 2;
		PixelSet pixels;
		for(long i = 0; i <= steps; ++i)
		{
			const int x = round(i * ((x2 - x1) / steps) + x1);
			const int y = round(i * ((y2 - y1) / steps) + y1);
			if(x >= 0 && x < width && y >= 0 && y < height)
				pixels.insert({x, y});
		}
		return pixels;
	}
}

TEST_F(DrawingTest, LinesStepThroughRoundedPoints)
{
	engine.DrawLine(1, 1, 4, 1, INK, target.Get());
	EXPECT_EQ(Drawn(), RectPixels(1, 1, 4, 1));

	target.Fill(0);
	engine.DrawLine(0, 0, 3, 3, INK, target.Get());
	EXPECT_EQ(Drawn(), (PixelSet{{0, 0}, {1, 1}, {2, 2}, {3, 3}}));

	// Halves round up: the point (1.5, 0.5) lands on (2, 1).
	target.Fill(0);
	engine.DrawLine(0, 0, 3, 1, INK, target.Get());
	EXPECT_EQ(Drawn(), (PixelSet{{0, 0}, {1, 0}, {2, 1}, {3, 1}}));

	// Ends rounding to one pixel still plot it.
	target.Fill(0);
	engine.DrawLine(2.2, 3.3, 2.4, 3.1, INK, target.Get());
	EXPECT_EQ(Drawn(), (PixelSet{{2, 3}}));
}

TEST_F(DrawingTest, RoundingTruncatesTowardZero)
{
	// -0.7 + 0.5 truncates to 0, so the point is drawn on the edge.
	engine.DrawLine(-0.7, 2, -0.7, 2, INK, target.Get());
	EXPECT_EQ(Drawn(), (PixelSet{{0, 2}}));

	target.Fill(0);
	engine.FillTriangle(-0.9, 5.0, -0.9, 5.0, -0.9, 5.0, INK, target.Get());
	EXPECT_EQ(Drawn(), (PixelSet{{0, 5}}));

	target.Fill(0);
	engine.DrawLine(-1.6, 2, -1.6, 2, INK, target.Get());
	EXPECT_TRUE(Drawn().empty());
}

TEST_F(DrawingTest, LinesAreClippedAndLongLinesStayExact)
{
	engine.DrawLine(-5, 2, 20, 2, INK, target.Get());
	EXPECT_EQ(Drawn(), RectPixels(0, 2, 15, 2));

	target.Fill(0);
	engine.DrawLine(-1e8, 5, 1e8, 5, INK, target.Get());
	EXPECT_EQ(Drawn(), RectPixels(0, 5, 15, 5));

	target.Fill(0);
	engine.DrawLine(-20, -20, -3, -1, INK, target.Get());
	EXPECT_TRUE(Drawn().empty());

	srand(7);
	for(int n = 0; n < 300; ++n)
	{
		double c[4];
		for(double &v : c)
			v = (rand() % 8000) / 100.0 - 40.0;
		target.Fill(0);
		engine.DrawLine(c[0], c[1], c[2], c[3], INK, target.Get());
		ASSERT_EQ(Drawn(), ReferenceLine(c[0], c[1], c[2], c[3], 16, 16))
			<< c[0] << "," << c[1] << " - " << c[2] << "," << c[3];
	}
}

TEST_F(DrawingTest, NoTargetMeansTheFrame)
{
	engine.FillRectangle(3, 3, 4, 4, static_cast<int>(INK));
	engine.DrawLine(8, 8, 8, 8, static_cast<int>(INK));
	EXPECT_EQ(engine.FramePixel(3, 4), INK);
	EXPECT_EQ(engine.FramePixel(8, 8), INK);
	EXPECT_TRUE(Drawn().empty());
}

TEST_F(DrawingTest, ClipUsesTheRowLengthAndTheWindowHeight)
{
	// A 10 pixel wide surface whose rows are 16 words long: the row padding
	// counts as drawable, the next row does not.
	std::vector<uint32_t> memory(16 * 4, 0);
	SDL_Surface *padded =
		SDL_CreateRGBSurfaceFrom(memory.data(), 10, 4, 32, 64, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
	ASSERT_NE(padded, nullptr);
	engine.FillRectangle(-3, 0, 100, 0, INK, padded);
	SDL_FreeSurface(padded);
	for(int i = 0; i < 16; ++i)
		EXPECT_EQ(memory[i], INK) << i;
	EXPECT_EQ(memory[16], 0u);

	// Taller than the window: nothing is drawn from row 720 on.
	PixelSurface tall(4, 800);
	auto reachesLastRowOnly = [&tall]() {
		const PixelSet drawn = tall.PixelsOf(INK);
		bool lastRow = false;
		for(const Pixel &p : drawn)
		{
			if(p.second >= 720)
				return false;
			lastRow = lastRow || p.second == 719;
		}
		tall.Fill(0);
		return lastRow;
	};
	engine.FillRectangle(0, 710, 3, 790, INK, tall.Get());
	EXPECT_TRUE(reachesLastRowOnly());
	engine.DrawLine(1, 710, 1, 790, INK, tall.Get());
	EXPECT_TRUE(reachesLastRowOnly());
	engine.FillOval(-100, 600, 103, 840, INK, tall.Get());
	EXPECT_TRUE(reachesLastRowOnly());
	engine.FillTriangle(3, 710, 3, 790, 3, 790, INK, tall.Get());
	EXPECT_TRUE(reachesLastRowOnly());
	engine.DrawThickLine(2, 700, 2, 790, INK, 4, tall.Get());
	EXPECT_TRUE(reachesLastRowOnly());

	// Smaller than the window: the surface's own height stops the shapes.
	engine.FillRectangle(0, 0, 100, 100, INK, target.Get());
	EXPECT_EQ(Drawn(), RectPixels(0, 0, 15, 15));
}

TEST_F(DrawingTest, RectanglesIgnoreCornerOrder)
{
	engine.FillRectangle(2, 3, 6, 5, INK, target.Get());
	const PixelSet expected = RectPixels(2, 3, 6, 5);
	EXPECT_EQ(Drawn(), expected);
	for(auto corners : {std::vector<int>{6, 5, 2, 3}, {6, 3, 2, 5}, {2, 5, 6, 3}})
	{
		target.Fill(0);
		engine.FillRectangle(corners[0], corners[1], corners[2], corners[3], INK, target.Get());
		EXPECT_EQ(Drawn(), expected);
	}

	target.Fill(0);
	engine.FillRectangle(-10, -10, -1, -1, INK, target.Get());
	EXPECT_TRUE(Drawn().empty());
	engine.FillRectangle(-3, 14, 2, 30, INK, target.Get());
	EXPECT_EQ(Drawn(), RectPixels(0, 14, 2, 15));
}

TEST_F(DrawingTest, RectangleOutlineIsTheFourSides)
{
	engine.DrawRectangleOutline(target.Get(), 2, 3, 6, 7, INK);
	PixelSet expected = RectPixels(2, 3, 6, 7);
	for(const Pixel &inside : RectPixels(3, 4, 5, 6))
		expected.erase(inside);
	EXPECT_EQ(Drawn(), expected);
}

TEST_F(DrawingTest, OvalsFillTheInscribedEllipse)
{
	// Radius 2 around (2, 2): the pixels at distance 2 or less.
	engine.FillOval(0, 0, 4, 4, INK, target.Get());
	PixelSet disc = {
		{2, 0}, {1, 1}, {2, 1}, {3, 1}, {0, 2}, {1, 2}, {2, 2}, {3, 2}, {4, 2}, {1, 3}, {2, 3}, {3, 3}, {2, 4}};
	EXPECT_EQ(Drawn(), disc);

	target.Fill(0);
	engine.FillOval(4, 4, 0, 0, INK, target.Get());
	EXPECT_EQ(Drawn(), disc);
	target.Fill(0);
	engine.FillOval(0, 4, 4, 0, INK, target.Get());
	EXPECT_EQ(Drawn(), disc);

	// Flat ellipse: radii come from the differences, 3 and 1.
	target.Fill(0);
	engine.FillOval(0, 0, 6, 2, INK, target.Get());
	PixelSet flat = RectPixels(0, 1, 6, 1);
	flat.insert({3, 0});
	flat.insert({3, 2});
	EXPECT_EQ(Drawn(), flat);

	// Only the part inside the surface.
	target.Fill(0);
	engine.FillOval(-4, 0, 0, 4, INK, target.Get());
	EXPECT_EQ(Drawn(), (PixelSet{{0, 2}}));
}

// Ovals are filled by spans per row; every box, whole or cut by the edge,
// must give the pixels of the test made pixel by pixel.
TEST_F(DrawingTest, OvalSpansMatchTheTestOfEveryPixel)
{
	PixelSurface canvas(40, 40);
	for(int w = 0; w <= 30; ++w)
		for(int h = 0; h <= 30; ++h)
		{
			const int x1 = (w * 7 + h) % 11 - 5;
			const int y1 = (h * 5 + w) % 13 - 4;
			canvas.Fill(0);
			engine.FillOval(x1, y1, x1 + w, y1 + h, INK, canvas.Get());
			const double cx = x1 + w * 0.5;
			const double cy = y1 + h * 0.5;
			PixelSet expected;
			for(int x = std::max(x1, 0); x <= x1 + w; ++x)
				for(int y = std::max(y1, 0); y <= y1 + h; ++y)
					if((x - cx) * (x - cx) / (w * w * 0.25) + (y - cy) * (y - cy) / (h * h * 0.25) <= 1.0)
						expected.insert({x, y});
			ASSERT_EQ(canvas.PixelsOf(INK), expected) << w << " x " << h << " at " << x1 << ", " << y1;
		}
}

TEST_F(DrawingTest, ClipAreaKeepsShapesInsideItUntilCleared)
{
	const SDL_Rect area = {3, 4, 5, 6};
	engine.SetClipArea(&area);
	engine.FillRectangle(0, 0, 15, 15, INK, target.Get());
	engine.FillOval(0, 0, 15, 15, INK, target.Get());
	engine.DrawThickLine(0, 0, 15, 15, INK, 3, target.Get());
	engine.DrawLine(15, 0, 0, 15, INK, target.Get());
	EXPECT_EQ(Drawn(), RectPixels(3, 4, 7, 9));

	engine.SetClipArea(nullptr);
	engine.FillRectangle(0, 0, 15, 15, INK, target.Get());
	EXPECT_EQ(Drawn(), RectPixels(0, 0, 15, 15));
}

TEST_F(DrawingTest, OvalOfZeroWidthOrHeightPlotsNothing)
{
	engine.FillOval(5, 1, 5, 10, INK, target.Get());
	engine.FillOval(1, 5, 10, 5, INK, target.Get());
	engine.FillOval(5, 5, 5, 5, INK, target.Get());
	EXPECT_TRUE(Drawn().empty());
}

TEST_F(DrawingTest, TrianglesWithAVerticalSide)
{
	// Two vertices share x: everything with x, y >= 2 and x + y <= 12.
	engine.FillTriangle(2, 2, 2, 10, 10, 2, INK, target.Get());
	PixelSet corner;
	for(int x = 2; x <= 10; ++x)
		for(int y = 2; y <= 12 - x; ++y)
			corner.insert({x, y});
	EXPECT_EQ(Drawn(), corner);

	// The vertical side last: the column rounding takes halves upward.
	target.Fill(0);
	engine.FillTriangle(10, 1, 2, 5, 10, 9, INK, target.Get());
	const int tops[] = {5, 5, 4, 4, 3, 3, 2, 2, 1};
	const int bottoms[] = {5, 6, 6, 7, 7, 8, 8, 9, 9};
	PixelSet arrow;
	for(int x = 2; x <= 10; ++x)
		for(int y = tops[x - 2]; y <= bottoms[x - 2]; ++y)
			arrow.insert({x, y});
	EXPECT_EQ(Drawn(), arrow);
}

TEST_F(DrawingTest, DegenerateTriangles)
{
	engine.FillTriangle(1, 1, 5, 5, 9, 9, INK, target.Get());
	EXPECT_EQ(Drawn(), (PixelSet{{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 7}, {8, 8}, {9, 9}}));

	target.Fill(0);
	engine.FillTriangle(3.2, 4.4, 3.2, 4.4, 3.2, 4.4, INK, target.Get());
	EXPECT_EQ(Drawn(), (PixelSet{{3, 4}}));

	// All on one column: the column runs from the first vertex to the third.
	target.Fill(0);
	engine.FillTriangle(5, 2, 5, 9, 5, 6, INK, target.Get());
	EXPECT_EQ(Drawn(), RectPixels(5, 2, 5, 6));
	target.Fill(0);
	engine.FillTriangle(5, 9, 5, 2, 5, 6, INK, target.Get());
	EXPECT_TRUE(Drawn().empty());

	engine.FillTriangle(-9, -9, -2, -5, -4, -1, INK, target.Get());
	engine.FillTriangle(NAN, 1, 4, 4, 8, 1, INK, target.Get());
	EXPECT_TRUE(Drawn().empty());
}

TEST_F(DrawingTest, ThinThickLinesAreLines)
{
	PixelSurface line(16, 16);
	engine.DrawLine(1.3, 2.2, 12.7, 9.6, INK, line.Get());
	for(int thickness : {-1, 0, 1})
	{
		target.Fill(0);
		engine.DrawThickLine(1.3, 2.2, 12.7, 9.6, INK, thickness, target.Get());
		EXPECT_TRUE(target.SameAs(line)) << thickness;
	}
}

TEST_F(DrawingTest, ThickLinesAreBandsOfThicknessOverRootTwo)
{
	// Thickness 4: a band 2.83 wide reaching 1.41 past each end.
	engine.DrawThickLine(2, 8, 12, 8, INK, 4, target.Get());
	EXPECT_EQ(Drawn(), RectPixels(1, 7, 13, 9));
	target.Fill(0);
	engine.DrawThickLine(12, 8, 2, 8, INK, 4, target.Get());
	EXPECT_EQ(Drawn(), RectPixels(1, 7, 13, 9));

	target.Fill(0);
	engine.DrawThickLine(8, 2, 8, 12, INK, 4, target.Get());
	EXPECT_EQ(Drawn(), RectPixels(7, 1, 9, 13));
	target.Fill(0);
	engine.DrawThickLine(8, 12, 8, 2, INK, 4, target.Get());
	EXPECT_EQ(Drawn(), RectPixels(7, 1, 9, 13));

	// 45 degrees: corners (0, 2), (2, 0), (14, 12), (12, 14); five pixels
	// per column along the middle.
	target.Fill(0);
	engine.DrawThickLine(2, 2, 12, 12, INK, 4, target.Get());
	PixelSet diagonal = {{0, 2}, {14, 12}};
	for(int y = 1; y <= 3; ++y)
		diagonal.insert({1, y});
	for(int y = 11; y <= 13; ++y)
		diagonal.insert({13, y});
	for(int x = 2; x <= 12; ++x)
		for(int y = x - 2; y <= x + 2; ++y)
			diagonal.insert({x, y});
	EXPECT_EQ(Drawn(), diagonal);
}
