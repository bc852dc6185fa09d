#include "engine/PictureCache.h"
#include "support/ImageFiles.h"
#include "support/TestEngine.h"

#include <gtest/gtest.h>

namespace {
	const uint32_t FIRST = 0xFF102030;
	const uint32_t SECOND = 0xFF405060;

	// A file whose pixels change on disk tells a kept picture from one
	// decoded again.
	class PictureCacheTest : public ::testing::Test {
	protected:
		void Paint(uint32_t colour) { ASSERT_TRUE(WritePng(file, 2, 2, std::vector<uint32_t>(4, colour), true)); }
		uint32_t Shown(const std::shared_ptr<const ImageData> &picture) const
		{
			return picture->PixelAt(0, 0) | 0xFF000000u;
		}

		TestEngine engine; // starts the media library
		TempFolder folder;
		std::string file = folder.Path("picture.png");
	};
}

TEST_F(PictureCacheTest, KeptUntilForgetEvenWhenNobodyHoldsIt)
{
	PictureCache cache;
	Paint(FIRST);
	EXPECT_EQ(Shown(cache.Picture(file.c_str())), FIRST);
	const auto reduced = cache.Reduced(file.c_str(), 1);
	Paint(SECOND);
	EXPECT_EQ(Shown(cache.Picture(file.c_str())), FIRST);
	EXPECT_EQ(cache.Reduced(file.c_str(), 1), reduced);

	cache.Forget();
	EXPECT_EQ(Shown(cache.Picture(file.c_str())), SECOND);
	EXPECT_EQ(Shown(reduced), FIRST) << "a holder keeps its picture past a Forget";
}

TEST_F(PictureCacheTest, KeptWhileHeldThenReadAgain)
{
	PictureCache cache(PictureCache::Keeping::WHILE_HELD);
	Paint(FIRST);
	auto held = cache.Picture(file.c_str());
	Paint(SECOND);
	EXPECT_EQ(cache.Picture(file.c_str()), held);

	held.reset();
	EXPECT_EQ(Shown(cache.Picture(file.c_str())), SECOND);

	// Switched to keeping, it holds on by itself.
	cache.SetKeeping(PictureCache::Keeping::UNTIL_FORGET);
	Paint(FIRST);
	cache.Picture(file.c_str());
	Paint(SECOND);
	EXPECT_EQ(Shown(cache.Picture(file.c_str())), FIRST);
}
