#ifndef VEXARIFT_RULES_ITEMINVENTORY_H
#define VEXARIFT_RULES_ITEMINVENTORY_H

#include <array>

// The virus's three item slots, holding item codes (the item node types, 0
// for an empty slot). The rules fill and empty them; the item slots on the
// screen read them.
class ItemInventory {
public:
	static constexpr int SLOT_COUNT = 3;

	// Fills the leftmost empty slot and returns it; -1 when all are taken.
	int AddItem(int code);
	// Indexes outside the slots are ignored.
	void ClearSlot(int index);
	// 0 for an index outside the slots.
	int ItemAt(int index) const;
	// The first slot holding the item, or -1.
	int SlotHolding(int code) const;
	int CountOf(int code) const;
	bool HasFreeSlot() const { return SlotHolding(0) != -1; }

	static bool IsSlot(int index) { return index >= 0 && index < SLOT_COUNT; }

private:
	std::array<int, SLOT_COUNT> items = {};
};

#endif
