#include "hud/ItemSlots.h"

#include "leveldata/NodeType.h"
#include "support/TestEngine.h"

#include <gtest/gtest.h>

namespace {
	const uint32_t BACKDROP = 0x00FF00;
	const int SLOT_SIZE = 50;

	class ItemSlotsTest : public ::testing::Test {
	protected:
		ItemSlotsTest() { engine.FillRectangle(0, 0, engine.width - 1, engine.height - 1, BACKDROP); }

		// Anything drawn between a slot's bottom edge and the window's.
		bool HasLabel(int slot) const
		{
			for(int y = slots.SlotY(slot) + SLOT_SIZE; y < engine.height; ++y)
				for(int x = slots.SlotX(slot) - SLOT_SIZE; x < slots.SlotX(slot) + 2 * SLOT_SIZE; ++x)
					if(engine.FramePixel(x, y) != BACKDROP)
						return true;
			return false;
		}

		TestEngine engine;
		ItemInventory inventory;
		ItemSlots slots{&engine, 300, 590, inventory};
	};
}

TEST_F(ItemSlotsTest, HitTestsInclusiveSquares)
{
	EXPECT_EQ(slots.SlotAt(340, 630), 0);
	EXPECT_EQ(slots.SlotAt(390, 680), 0);
	EXPECT_EQ(slots.SlotAt(391, 680), -1);
	EXPECT_EQ(slots.SlotAt(390, 681), -1);
	EXPECT_EQ(slots.SlotAt(339, 630), -1);
	EXPECT_EQ(slots.SlotAt(460, 630), 1);
	EXPECT_EQ(slots.SlotAt(630, 680), 2);
}

TEST_F(ItemSlotsTest, DrawsFramesAndMaskedIconsInPlace)
{
	ImageData full;
	ImageData frame;
	ImageData icon;
	ASSERT_TRUE(full.LoadImage("ItemSlot.png"));
	ASSERT_TRUE(icon.LoadImage("ItemKernelRot.png"));
	frame.ShrinkFrom(full, 4);
	inventory.AddItem(ITEM_SELF_REPAIR);
	inventory.AddItem(ITEM_KERNEL_ROT);
	inventory.ClearSlot(0);
	slots.Draw();
	const uint32_t transparent = icon.PixelAt(icon.GetWidth() - 1, icon.GetHeight() - 1);
	for(int y = 0; y < SLOT_SIZE; ++y)
		for(int x = 0; x < SLOT_SIZE; ++x)
		{
			ASSERT_EQ(engine.FramePixel(340 + x, 630 + y), frame.PixelAt(x, y)) << x << "," << y;
			const int ix = x - 5;
			const int iy = y - 5;
			const bool onIcon = ix >= 0 && iy >= 0 && ix < icon.GetWidth() && iy < icon.GetHeight() &&
				icon.PixelAt(ix, iy) != transparent;
			ASSERT_EQ(engine.FramePixel(460 + x, 630 + y), onIcon ? icon.PixelAt(ix, iy) : frame.PixelAt(x, y))
				<< x << "," << y;
		}
}

TEST_F(ItemSlotsTest, LabelsEveryKnownCodeButNotAnUnknownOne)
{
	inventory.AddItem(ITEM_SELF_REPAIR);
	inventory.AddItem(ITEM_SELF_REPAIR);
	inventory.AddItem(42);
	inventory.ClearSlot(0);
	slots.Draw();
	EXPECT_TRUE(HasLabel(0));
	EXPECT_TRUE(HasLabel(1));
	EXPECT_FALSE(HasLabel(2));
}
