#include "engine/FontCache.h"
#include "support/TestEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <unistd.h>
#include <vector>

namespace {
	const char *const FONT_FILE = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
	const char *const MISSING_FONT = "no such font.ttf";

	std::string Loading(int size, const std::string &file)
	{
		return "Loading font: " + std::to_string(size) + " point " + file + "\n";
	}

	class FontTest : public ::testing::Test {
	protected:
		void SetUp() override
		{
			if(access(FONT_FILE, R_OK) != 0)
				GTEST_SKIP() << FONT_FILE << " is missing (fonts-dejavu-core)";
		}
	};

	// The bounding box of the pixels that differ from the fill value.
	struct Ink {
		int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
		bool Any() const { return right >= 0; }
	};
	Ink FindInk(const TestEngine &engine, uint32_t fill)
	{
		Ink ink;
		for(int y = 0; y < engine.height; ++y)
			for(int x = 0; x < engine.width; ++x)
				if(engine.FramePixel(x, y) != fill)
				{
					ink.left = std::min(ink.left, x);
					ink.right = std::max(ink.right, x);
					ink.top = std::min(ink.top, y);
					ink.bottom = std::max(ink.bottom, y);
				}
		return ink;
	}

	std::vector<uint32_t> FrameCopy(const TestEngine &engine)
	{
		const auto *pixels = static_cast<const uint32_t *>(engine.frameSurface->pixels);
		return std::vector<uint32_t>(pixels, pixels + engine.frameSurface->h * engine.frameSurface->pitch / 4);
	}
}

TEST_F(FontTest, CacheOpensEachPairOnceAndReportsIt)
{
	TestEngine engine; // starts the font library
	FontCache cache;
	testing::internal::CaptureStdout();
	Font *early = cache.GetFont(FONT_FILE, 12);
	EXPECT_EQ(early->GetHandle(), nullptr);
	cache.OpenAllFonts();
	EXPECT_NE(early->GetHandle(), nullptr);
	EXPECT_EQ(cache.GetFont(FONT_FILE, 12), early);
	Font *larger = cache.GetFont(FONT_FILE, 20);
	EXPECT_NE(larger, early);
	EXPECT_NE(larger->GetHandle(), nullptr);
	Font *missing = cache.GetFont(MISSING_FONT, 12);
	EXPECT_EQ(missing->GetHandle(), nullptr);
	EXPECT_EQ(cache.GetFont(MISSING_FONT, 12), missing);
	cache.OpenAllFonts();
	EXPECT_EQ(cache.GetFont(MISSING_FONT, 12), missing);
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
		Loading(12, FONT_FILE) + "Font loading failed.\n" + Loading(20, FONT_FILE) + Loading(12, MISSING_FONT) +
			"Font loading failed.\n");

	// Only fonts that opened say goodbye, in the order they were asked for.
	testing::internal::CaptureStdout();
	cache.FreeAllFonts();
	EXPECT_EQ(testing::internal::GetCapturedStdout(),
		std::string("Free font: 12 point ") + FONT_FILE + "\nFree font: 20 point " + FONT_FILE + "\n");
	EXPECT_EQ(cache.Count(), 0);
}

TEST_F(FontTest, CacheGrowsByTenAndKeepsItsEntries)
{
	FontCache cache;
	testing::internal::CaptureStdout();
	std::vector<Font *> fonts;
	for(int size = 1; size <= 20; ++size)
		fonts.push_back(cache.GetFont(MISSING_FONT, size));
	EXPECT_EQ(cache.Capacity(), 20);
	fonts.push_back(cache.GetFont(MISSING_FONT, 21));
	EXPECT_EQ(cache.Capacity(), 30);
	EXPECT_EQ(cache.Count(), 21);
	for(int size = 1; size <= 21; ++size)
	{
		EXPECT_EQ(cache.GetFont(MISSING_FONT, size), fonts[size - 1]);
		EXPECT_EQ(fonts[size - 1]->GetPointSize(), size);
		EXPECT_EQ(fonts[size - 1]->GetFileName(), MISSING_FONT);
	}
	// The name is compared byte for byte.
	cache.GetFont("No such font.ttf", 1);
	EXPECT_EQ(cache.Count(), 22);
	testing::internal::GetCapturedStdout();
}

TEST_F(FontTest, TextIsDrawnWithTheFontOrTheDefault)
{
	TestEngine engine;
	Font *font = engine.GetFont(FONT_FILE, 20);
	SDL_FillRect(engine.frameSurface, nullptr, 0);

	// No font and no default font: nothing. Empty text: nothing.
	engine.DrawText(100, 100, "Hi", 0xFFFFFF);
	engine.DrawText(100, 100, "", 0xFFFFFF, font);
	engine.DrawText(100, 100, "Hi", 0xFFFFFF, engine.GetFont(MISSING_FONT, 20));
	EXPECT_FALSE(FindInk(engine, 0).Any());

	int width = 0;
	int height = 0;
	TTF_SizeText(font->GetHandle(), "Hi", &width, &height);
	engine.DrawText(100, 100, "Hi", 0xFFFFFF, font);
	const Ink ink = FindInk(engine, 0);
	ASSERT_TRUE(ink.Any());
	EXPECT_GE(ink.left, 100);
	EXPECT_GE(ink.top, 100);
	EXPECT_LT(ink.right, 100 + width);
	EXPECT_LT(ink.bottom, 100 + height);
	// Glyphs come out in the asked colour at full coverage.
	bool white = false;
	for(int y = ink.top; y <= ink.bottom; ++y)
		for(int x = ink.left; x <= ink.right; ++x)
			white = white || (engine.FramePixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
	EXPECT_TRUE(white);

	// With the default font set, a null font means it.
	const std::vector<uint32_t> withFont = FrameCopy(engine);
	SDL_FillRect(engine.frameSurface, nullptr, 0);
	engine.defaultFont = font;
	engine.DrawText(100, 100, "Hi", 0xFFFFFF);
	EXPECT_TRUE(FrameCopy(engine) == withFont);

	// Another target leaves the frame alone.
	SDL_FillRect(engine.frameSurface, nullptr, 0);
	SDL_FillRect(engine.backgroundSurface, nullptr, 0);
	engine.DrawText(10, 10, "Hi", 0xFFFFFF, font, engine.backgroundSurface);
	EXPECT_FALSE(FindInk(engine, 0).Any());
	bool drawn = false;
	for(int y = 10; y < 10 + height; ++y)
		for(int x = 10; x < 10 + width; ++x)
			drawn = drawn || engine.BackgroundPixel(x, y) != 0;
	EXPECT_TRUE(drawn);
}

// Rendered texts are kept and reused: the same string drawn again, in
// another colour, or after many others have pushed it out, looks the same
// as when it was first rendered.
TEST_F(FontTest, KeptTextsKeepTheirColourAndLookTheSame)
{
	TestEngine engine;
	Font *font = engine.GetFont(FONT_FILE, 20);
	SDL_FillRect(engine.frameSurface, nullptr, 0);
	engine.DrawText(100, 100, "Hi", 0xFFFFFF, font);
	const std::vector<uint32_t> white = FrameCopy(engine);

	SDL_FillRect(engine.frameSurface, nullptr, 0);
	engine.DrawText(100, 100, "Hi", 0xFF0000, font);
	const Ink ink = FindInk(engine, 0);
	ASSERT_TRUE(ink.Any());
	for(int y = ink.top; y <= ink.bottom; ++y)
		for(int x = ink.left; x <= ink.right; ++x)
			ASSERT_EQ(engine.FramePixel(x, y) & 0x00FFFF, 0u) << x << ", " << y;

	for(int i = 0; i < 300; ++i)
		engine.DrawText(0, 0, std::to_string(i).c_str(), 0xFFFFFF, font);
	SDL_FillRect(engine.frameSurface, nullptr, 0);
	engine.DrawText(100, 100, "Hi", 0xFFFFFF, font);
	EXPECT_TRUE(FrameCopy(engine) == white);
}

TEST_F(FontTest, LongTextWrapsBelowTheFirstLine)
{
	TestEngine engine;
	Font *font = engine.GetFont(FONT_FILE, 20);
	int lineWidth = 0;
	int lineHeight = 0;
	TTF_SizeText(font->GetHandle(), "word", &lineWidth, &lineHeight);
	std::string text;
	while(static_cast<int>(text.size()) * lineWidth / 4 < 2500)
		text += "word ";

	SDL_FillRect(engine.frameSurface, nullptr, 0);
	engine.DrawText(50, 20, text.c_str(), 0xFFFFFF, font);
	const Ink ink = FindInk(engine, 0);
	ASSERT_TRUE(ink.Any());
	EXPECT_LT(ink.right, 50 + 1000);
	EXPECT_GT(ink.bottom, 20 + 2 * lineHeight);
}

TEST_F(FontTest, RightAlignedTextEndsAtTheMargin)
{
	TestEngine engine;
	Font *font = engine.GetFont(FONT_FILE, 24);
	int width = 0;
	int height = 0;
	TTF_SizeText(font->GetHandle(), "Level 7", &width, &height);

	SDL_FillRect(engine.frameSurface, nullptr, 0);
	EXPECT_EQ(engine.DrawTextRightAligned("Level 7", font, 0xFFFFFF, 40, 10), height);
	const Ink aligned = FindInk(engine, 0);
	ASSERT_TRUE(aligned.Any());
	EXPECT_LT(aligned.right, 1270);
	EXPECT_GT(aligned.right, 1270 - 6);
	EXPECT_GE(aligned.left, 1270 - width);

	// The same as drawing the text at 1280 - width - 10.
	const std::vector<uint32_t> frame = FrameCopy(engine);
	SDL_FillRect(engine.frameSurface, nullptr, 0);
	engine.DrawText(1280 - width - 10, 40, "Level 7", 0xFFFFFF, font);
	EXPECT_TRUE(FrameCopy(engine) == frame);

	SDL_FillRect(engine.frameSurface, nullptr, 0);
	testing::internal::CaptureStdout();
	EXPECT_EQ(engine.DrawTextRightAligned("Level 7", engine.GetFont(MISSING_FONT, 24), 0xFFFFFF, 40, 10), 0);
	testing::internal::GetCapturedStdout();
	EXPECT_FALSE(FindInk(engine, 0).Any());
}
