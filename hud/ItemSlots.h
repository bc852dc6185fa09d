#ifndef VEXARIFT_HUD_ITEMSLOTS_H
#define VEXARIFT_HUD_ITEMSLOTS_H

#include "engine/DisplayableObject.h"
#include "engine/ImageData.h"
#include "rules/ItemInventory.h"

#include <array>

// The player's inventory on the screen: the caption "Your items:" above
// three square slots, each showing its item's icon and name, or "Empty". It
// reads the rules' own inventory and keeps no copy; what items do belongs to
// the rules. Whoever sees the inventory change tells it with LookChanged.
//
// The slot frame is shrunk once at construction; the icons come from the
// engine's picture cache, like every other picture that changes with play.
class ItemSlots : public DisplayableObject {
public:
	static const int SLOT_COUNT = ItemInventory::SLOT_COUNT;

	// The inventory is borrowed and must outlive the slots.
	ItemSlots(BaseEngine *engine, int x, int y, const ItemInventory &items);

	// 0 for an index outside the slots.
	int ItemAt(int index) const;
	// The slot whose 51 x 51 square (both edges included) holds the point,
	// or -1.
	int SlotAt(int x, int y) const;
	void Draw() override;

	int SlotX(int index) const { return slotX[index]; }
	int SlotY(int index) const { return slotY[index]; }

private:
	void DrawSlot(int sx, int sy, int code);
	void DrawLabel(int sx, int sy, const char *label);

	ImageData slotFrame;
	// Kept as loaded, the source of the shrunk frame.
	ImageData fullFrame;
	const ItemInventory &items;
	std::array<int, SLOT_COUNT> slotX = {};
	std::array<int, SLOT_COUNT> slotY = {};
};

#endif
