#include "rules/ItemInventory.h"

int ItemInventory::AddItem(int code)
{
	const int slot = SlotHolding(0);
	if(slot != -1)
		items[slot] = code;
	return slot;
}

void ItemInventory::ClearSlot(int index)
{
	if(IsSlot(index))
		items[index] = 0;
}

int ItemInventory::ItemAt(int index) const
{
	return IsSlot(index) ? items[index] : 0;
}

int ItemInventory::SlotHolding(int code) const
{
	for(int slot = 0; slot < SLOT_COUNT; ++slot)
		if(items[slot] == code)
			return slot;
	return -1;
}

int ItemInventory::CountOf(int code) const
{
	int count = 0;
	for(int item : items)
		count += item == code;
	return count;
}
