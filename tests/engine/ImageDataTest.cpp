#include "engine/ImageData.h"
#include "support/ImageFiles.h"
#include "support/PixelSurface.h"
#include "support/TestEngine.h"

#include <gtest/gtest.h>

namespace {
	const uint32_t UNTOUCHED = 0x0BADBAD0;

	class ImageDataTest : public ::testing::Test {
	protected:
		// Loads the pixels back through a PNG file, as the game does.
		ImageData Load(int width, int height, const std::vector<uint32_t> &pixels, bool withAlpha = true)
		{
			const std::string file = folder.Path("image" + std::to_string(files++) + ".png");
			EXPECT_TRUE(WritePng(file, width, height, pixels, withAlpha));
			ImageData image;
			EXPECT_TRUE(image.LoadImage(file.c_str()));
			return image;
		}

		TestEngine engine; // starts the media library
		TempFolder folder;
		int files = 0;
		PixelSurface target{16, 16, UNTOUCHED};
	};

	// Distinct opaque pixels: (x, y) holds y * 16 + x + 1.
	std::vector<uint32_t> Numbered(int width, int height)
	{
		std::vector<uint32_t> pixels;
		for(int y = 0; y < height; ++y)
			for(int x = 0; x < width; ++x)
				pixels.push_back(0xFF000000u | static_cast<uint32_t>(y * 16 + x + 1));
		return pixels;
	}

	uint32_t NumberAt(int x, int y)
	{
		return 0xFF000000u | static_cast<uint32_t>(y * 16 + x + 1);
	}
}

TEST_F(ImageDataTest, LoadKeepsOpaquePixelsAndClearsTransparentOnes)
{
	ImageData image = Load(3, 1, {0xFF112233, 0x00FFFFFF, 0xFF000000});
	ASSERT_EQ(image.GetWidth(), 3);
	ASSERT_EQ(image.GetHeight(), 1);
	EXPECT_EQ(image.PixelAt(0, 0), 0xFF112233u);
	EXPECT_EQ(image.PixelAt(1, 0), 0x00000000u);
	EXPECT_EQ(image.PixelAt(2, 0), 0xFF000000u);

	ImageData plain = Load(2, 2, {0x00123456, 0x00000000, 0x00FFFFFF, 0x00ABCDEF}, false);
	EXPECT_EQ(plain.PixelAt(0, 0), 0xFF123456u);
	EXPECT_EQ(plain.PixelAt(1, 0), 0xFF000000u);
	EXPECT_EQ(plain.PixelAt(1, 1), 0xFFABCDEFu);

	// A failed load leaves nothing to draw.
	EXPECT_FALSE(image.LoadImage(folder.Path("missing.png").c_str()));
	EXPECT_TRUE(image.IsEmpty());
	image.RenderImage(target.Get(), 0, 0, 0, 0, 3, 1);
	image.RenderImageWithMask(target.Get(), 0, 0, 0, 0, 3, 1);
	ImageData never;
	never.RenderImage(target.Get(), 0, 0, 0, 0, 5, 5);
	never.RenderImageWithMask(target.Get(), 0, 0, 0, 0, 5, 5);
	EXPECT_EQ(target.PixelsOf(UNTOUCHED).size(), 256u);
}

TEST_F(ImageDataTest, RenderIsClippedToTheTarget)
{
	const ImageData image = Load(4, 3, Numbered(4, 3));

	// Up and left of the target: the matching part of the image.
	image.RenderImage(target.Get(), 0, 0, -1, -2, 4, 3);
	for(int x = 0; x < 3; ++x)
		EXPECT_EQ(target.At(x, 0), NumberAt(x + 1, 2)) << x;
	EXPECT_EQ(target.PixelsOf(UNTOUCHED).size(), 256u - 3);

	// Past the right and bottom edges: cut there.
	target.Fill(UNTOUCHED);
	image.RenderImage(target.Get(), 0, 0, 14, 14, 4, 3);
	EXPECT_EQ(target.At(14, 14), NumberAt(0, 0));
	EXPECT_EQ(target.At(15, 14), NumberAt(1, 0));
	EXPECT_EQ(target.At(14, 15), NumberAt(0, 1));
	EXPECT_EQ(target.At(15, 15), NumberAt(1, 1));
	EXPECT_EQ(target.PixelsOf(UNTOUCHED).size(), 256u - 4);

	// A part of the image, from its source corner.
	target.Fill(UNTOUCHED);
	image.RenderImage(target.Get(), 1, 1, 5, 6, 2, 2);
	EXPECT_EQ(target.At(5, 6), NumberAt(1, 1));
	EXPECT_EQ(target.At(6, 7), NumberAt(2, 2));
	EXPECT_EQ(target.PixelsOf(UNTOUCHED).size(), 256u - 4);

	// Wholly outside, or a rectangle reaching past the image: nothing beyond it.
	target.Fill(UNTOUCHED);
	image.RenderImage(target.Get(), 0, 0, 16, 0, 4, 3);
	image.RenderImage(target.Get(), 0, 0, -4, 0, 4, 3);
	image.RenderImage(target.Get(), 0, 0, 0, 16, 4, 3);
	EXPECT_EQ(target.PixelsOf(UNTOUCHED).size(), 256u);
	image.RenderImage(target.Get(), 3, 0, 0, 0, 10, 10);
	EXPECT_EQ(target.At(0, 2), NumberAt(3, 2));
	EXPECT_EQ(target.PixelsOf(UNTOUCHED).size(), 256u - 3);
}

TEST_F(ImageDataTest, MaskSkipsTheBottomRightColourAlphaIncluded)
{
	// Transparent black in the corner: opaque black is still drawn.
	const ImageData icon = Load(3, 2, {0xFF000000, 0x00000000, 0xFFFF0000, 0xFF00FF00, 0x00000000, 0x00000000});
	icon.RenderImageWithMask(target.Get(), 0, 0, -1, 0, 3, 2);
	EXPECT_EQ(target.At(0, 0), UNTOUCHED);
	EXPECT_EQ(target.At(1, 0), 0xFFFF0000u);
	EXPECT_EQ(target.At(0, 1), UNTOUCHED);
	EXPECT_EQ(target.At(1, 1), UNTOUCHED);
	target.Fill(UNTOUCHED);
	icon.RenderImageWithMask(target.Get(), 0, 0, 0, 0, 3, 2);
	EXPECT_EQ(target.At(0, 0), 0xFF000000u);
	EXPECT_EQ(target.At(0, 1), 0xFF00FF00u);
	EXPECT_EQ(target.PixelsOf(UNTOUCHED).size(), 256u - 3);

	// Opaque white in the corner: every opaque white pixel is skipped.
	const ImageData framed = Load(2, 2, {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFFFFFFFF});
	target.Fill(UNTOUCHED);
	framed.RenderImageWithMask(target.Get(), 0, 0, 0, 0, 2, 2);
	EXPECT_EQ(target.PixelsOf(UNTOUCHED).size(), 255u);
	EXPECT_EQ(target.At(1, 0), 0xFF000000u);
}

TEST_F(ImageDataTest, ShrinkAveragesBlocksAndDropsAlpha)
{
	// Every 4 x 4 block averages to red 200, green 4 (72 / 16), blue 7
	// (120 / 16); the leftover columns and rows would spoil that if used.
	// Block (0, 0) is bluer.
	std::vector<uint32_t> pixels;
	for(int y = 0; y < 203; ++y)
		for(int x = 0; x < 202; ++x)
		{
			uint32_t green = static_cast<uint32_t>((x + y) % 4 * 3);
			uint32_t blue = static_cast<uint32_t>(y % 4 * 4 + x % 4);
			if(x < 4 && y < 4)
				blue = 100;
			uint32_t value = 0xFF000000u | (200u << 16) | (green << 8) | blue;
			if(x >= 200 || y >= 200)
				value = 0xFF00FFFF;
			pixels.push_back(value);
		}
	const ImageData source = Load(202, 203, pixels);

	ImageData shrunk;
	shrunk.ShrinkFrom(source, 4);
	ASSERT_EQ(shrunk.GetWidth(), 50);
	ASSERT_EQ(shrunk.GetHeight(), 50);
	EXPECT_EQ(shrunk.PixelAt(0, 0), 0x00C80464u);
	for(int y = 0; y < 50; ++y)
		for(int x = 0; x < 50; ++x)
			if(x || y)
			{
				ASSERT_EQ(shrunk.PixelAt(x, y), 0x00C80407u) << x << "," << y;
			}

	// Its transparent colour is the averaged corner block, alpha 0.
	PixelSurface big(64, 64, UNTOUCHED);
	shrunk.RenderImageWithMask(big.Get(), 0, 0, 0, 0, 50, 50);
	EXPECT_EQ(big.At(0, 0), 0x00C80464u);
	EXPECT_EQ(big.PixelsOf(UNTOUCHED).size(), 64u * 64 - 1);

	// Factor 1 copies with alpha cleared, even in place.
	ImageData copy = Load(2, 1, {0xFF123456, 0x80000000});
	copy.ShrinkFrom(copy, 1);
	ASSERT_EQ(copy.GetWidth(), 2);
	EXPECT_EQ(copy.PixelAt(0, 0), 0x00123456u);

	// Too small for one block, or empty: nothing to draw.
	ImageData tiny;
	tiny.ShrinkFrom(copy, 4);
	EXPECT_EQ(tiny.GetWidth(), 0);
	tiny.RenderImageWithMask(target.Get(), 0, 0, 0, 0, 4, 4);
	tiny.ShrinkFrom(ImageData(), 2);
	tiny.RenderImage(target.Get(), 0, 0, 0, 0, 4, 4);
	EXPECT_EQ(target.PixelsOf(UNTOUCHED).size(), 256u);
}
