#include "leveldata/LevelTileManager.h"

#include "support/TestEngine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

	const uint32_t LATTICE = 0x1A211C;
	const uint32_t BOX = 0x3A483D;
	const uint32_t BLANK = 0;

	// Three 64-pixel tiles side by side, for painting single tiles onto.
	class LatticeTest : public testing::Test {
	protected:
		void SetUp() override
		{
			surface = SDL_CreateRGBSurface(0, 192, 64, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
			ASSERT_NE(surface, nullptr);
			SDL_FillRect(surface, nullptr, BLANK);
		}
		void TearDown() override { SDL_FreeSurface(surface); }

		struct Point {
			int x;
			int y;
			uint32_t colour;
		};
		template<size_t N> void ExpectPixels(const Point (&points)[N]) const
		{
			for(const Point &p : points)
				EXPECT_EQ(Pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
		}

		uint32_t Pixel(int x, int y) const
		{
			return static_cast<uint32_t *>(surface->pixels)[y * (surface->pitch / 4) + x];
		}

		TestEngine engine;
		LevelTileManager tiles{64, 64};
		SDL_Surface *surface = nullptr;
	};

	// Logs the tiles it is asked to paint instead of painting them.
	class LoggingTileManager : public TileManager {
	public:
		LoggingTileManager() : TileManager(10, 20) {}
		void DrawTileAt(BaseEngine *, SDL_Surface *, int mapX, int mapY, int screenX, int screenY) override
		{
			log.push_back(std::to_string(mapX) + "," + std::to_string(mapY) + "@" + std::to_string(screenX) + "," +
				std::to_string(screenY));
		}
		std::vector<std::string> log;
	};

} // namespace

TEST(LevelTileManager, NodeCentresAtTheGridCorners)
{
	LevelTileManager tiles(64, 64);
	const int cases[][4] = {{0, 0, 32, 32}, {9, 0, 1184, 32}, {0, 1, 96, 96}, {9, 1, 1248, 96}, {0, 8, 32, 544},
		{9, 8, 1184, 544}, {4, 7, 608, 480}};
	for(const auto &c : cases)
	{
		int x = -1;
		int y = -1;
		tiles.GetNodeCentre(c[0], c[1], x, y);
		EXPECT_EQ(x, c[2]) << c[0] << "," << c[1];
		EXPECT_EQ(y, c[3]) << c[0] << "," << c[1];
	}
	// Odd tile sizes truncate the half tile.
	LevelTileManager odd(9, 7);
	int x = 0;
	int y = 0;
	odd.GetNodeCentre(2, 3, x, y);
	EXPECT_EQ(x, 2 * 2 * 7 + 7 + 3);
	EXPECT_EQ(y, 3 * 9 + 4);
}

TEST(LevelTileManager, NodeTilesShareTheirParity)
{
	EXPECT_TRUE(LevelTileManager::IsNodeTile(0, 0));
	EXPECT_TRUE(LevelTileManager::IsNodeTile(19, 1));
	EXPECT_TRUE(LevelTileManager::IsNodeTile(18, 8));
	EXPECT_FALSE(LevelTileManager::IsNodeTile(1, 0));
	EXPECT_FALSE(LevelTileManager::IsNodeTile(0, 1));
	EXPECT_TRUE(LevelTileManager::IsNodeTile(-1, 1));
}

TEST_F(LatticeTest, NodeTileGetsTheDoubleDiagonalsAndTwoBoxes)
{
	tiles.DrawTileAt(&engine, surface, 0, 0, 0, 0);
	const Point expected[] = {// The row line through the middle, the full tile width and no more.
		{0, 32, LATTICE}, {21, 32, LATTICE}, {45, 32, LATTICE}, {64, 32, LATTICE}, {66, 32, BLANK},
		// A point on each diagonal stroke and their ends; the gaps between.
		{15, 10, LATTICE}, {10, 15, LATTICE}, {10, 48, LATTICE}, {50, 18, LATTICE}, {5, 0, LATTICE}, {63, 58, LATTICE},
		{5, 63, LATTICE}, {15, 15, BLANK}, {48, 48, BLANK}, {0, 0, BLANK}, {63, 63, BLANK},
		// The boxes (22, 27)-(28, 37) and (34, 27)-(40, 37), drawn last.
		{22, 27, BOX}, {25, 27, BOX}, {28, 37, BOX}, {34, 37, BOX}, {40, 27, BOX}, {22, 32, BOX}, {40, 30, BOX},
		{23, 31, BLANK}, {37, 35, BLANK}, {31, 30, BLANK}, {21, 30, BLANK}, {41, 31, BLANK}, {25, 38, BLANK}};
	ExpectPixels(expected);
}

TEST_F(LatticeTest, InBetweenTileGetsOnlyTheRowLineAndCornerStrokes)
{
	tiles.DrawTileAt(&engine, surface, 1, 0, 64, 0);
	const Point expected[] = {{64, 32, LATTICE}, {96, 32, LATTICE}, {128, 32, LATTICE}, {125, 2, LATTICE},
		{66, 61, LATTICE}, {66, 2, LATTICE}, {125, 61, LATTICE},
		// No diagonal through the middle and no boxes.
		{79, 15, BLANK}, {96, 20, BLANK}, {86, 27, BLANK}, {98, 37, BLANK}, {96, 2, BLANK}, {96, 61, BLANK}};
	ExpectPixels(expected);
}

TEST_F(LatticeTest, TileKindFollowsTheScreenPositionNotTheMapPosition)
{
	// Map tile (1, 0) painted where a node tile lies gets the node's lattice,
	// and map tile (0, 0) painted between nodes does not.
	tiles.DrawTileAt(&engine, surface, 1, 0, 0, 0);
	tiles.DrawTileAt(&engine, surface, 0, 0, 64, 0);
	EXPECT_EQ(Pixel(22, 27), BOX);
	EXPECT_EQ(Pixel(15, 10), LATTICE);
	EXPECT_EQ(Pixel(86, 27), BLANK);
	EXPECT_EQ(Pixel(79, 15), BLANK);
}

TEST_F(LatticeTest, RectangleOfTilesAlternatesNodeAndLinkTiles)
{
	tiles.SetMapSize(3, 1);
	tiles.DrawTileRectangle(&engine, surface, 0, 0, 2, 0, 0, 0);
	EXPECT_EQ(Pixel(22, 27), BOX);
	EXPECT_EQ(Pixel(86, 27), BLANK);
	EXPECT_EQ(Pixel(150, 27), BOX);
	// The row line is unbroken across the tiles; boxes cross it.
	for(int x = 0; x < 192; ++x)
		ASSERT_NE(Pixel(x, 32), BLANK) << x;
}

TEST(TileManager, RectanglePaintsColumnByColumnFromItsScreenCorner)
{
	LoggingTileManager tiles;
	tiles.DrawTileRectangle(nullptr, nullptr, 2, 5, 3, 7, 100, 50);
	EXPECT_EQ(tiles.log,
		(std::vector<std::string>{"2,5@100,50", "2,6@100,60", "2,7@100,70", "3,5@120,50", "3,6@120,60", "3,7@120,70"}));

	LoggingTileManager inverted;
	inverted.DrawTileRectangle(nullptr, nullptr, 3, 0, 2, 4, 0, 0);
	inverted.DrawTileRectangle(nullptr, nullptr, 0, 4, 2, 3, 0, 0);
	EXPECT_TRUE(inverted.log.empty());
}

TEST(TileManager, MapTilesAreDrawnAtTheirPlaceFromTheOrigin)
{
	LoggingTileManager tiles;
	tiles.SetOrigin(7, -3);
	tiles.DrawTile(nullptr, nullptr, 4, 2);
	EXPECT_EQ(tiles.log, (std::vector<std::string>{"4,2@87,17"}));

	tiles.SetMapSize(20, 9);
	EXPECT_EQ(tiles.GetMapWidth(), 20);
	EXPECT_EQ(tiles.GetMapHeight(), 9);
}
