#include "rules/ItemInventory.h"
#include "leveldata/NodeType.h"

#include <gtest/gtest.h>

TEST(ItemInventory, FillsLeftToRightRefusesAFourthAndRefillsACleared)
{
	ItemInventory inventory;
	EXPECT_NE(-1, inventory.AddItem(ITEM_KERNEL_ROT));
	EXPECT_NE(-1, inventory.AddItem(ITEM_SELF_REPAIR));
	EXPECT_NE(-1, inventory.AddItem(ITEM_SECONDARY_VECTOR));
	EXPECT_EQ(-1, inventory.AddItem(ITEM_POLYMORPHIC_SHIELD));
	EXPECT_EQ(inventory.ItemAt(2), ITEM_SECONDARY_VECTOR);
	inventory.ClearSlot(1);
	inventory.ClearSlot(-1);
	inventory.ClearSlot(3);
	EXPECT_EQ(inventory.ItemAt(0), ITEM_KERNEL_ROT);
	EXPECT_EQ(inventory.ItemAt(1), EMPTY);
	EXPECT_EQ(inventory.ItemAt(3), EMPTY);
	EXPECT_NE(-1, inventory.AddItem(ITEM_POLYMORPHIC_SHIELD));
	EXPECT_EQ(inventory.ItemAt(1), ITEM_POLYMORPHIC_SHIELD);
}
