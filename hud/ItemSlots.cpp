#include "hud/ItemSlots.h"

#include "engine/BaseEngine.h"
#include "leveldata/NodeType.h"

namespace {
	const int PANEL_WIDTH = 400;
	const int PANEL_HEIGHT = 120;

	const char *const FRAME_FILE = "ItemSlot.png";
	// The file is drawn at four times the size of a slot.
	const int FRAME_REDUCTION = 4;
	const int FIRST_SLOT_X = 40;
	const int SLOT_SPACING_X = 120;
	const int SLOT_OFFSET_Y = 40;
	// A slot's square spans its corner plus this many pixels, both edges in.
	const int SLOT_EXTENT = 50;

	const char *const CAPTION = "Your items:";
	const char *const CAPTION_FONT = "riftsans_bold.otf";
	const int CAPTION_SIZE = 24;
	const int CAPTION_X = 120;

	const int ICON_INSET = 5;
	const char *const LABEL_FONT = "riftsans_regular.otf";
	const int LABEL_SIZE = 14;
	const int TEXT_COLOUR = 0xFFFFFF;

	struct ItemLook {
		int code;
		const char *label;
		// Null: nothing to show in the slot.
		const char *iconFile;
	};

	const ItemLook ITEM_LOOKS[] = {
		{EMPTY, "Empty", nullptr},
		{ITEM_SELF_REPAIR, "Self Repair", "ItemSelfRepair.png"},
		{ITEM_KERNEL_ROT, "Kernel Rot", "ItemKernelRot.png"},
		{ITEM_POLYMORPHIC_SHIELD, "Polymorphic Shield", "ItemPolymorphicShield.png"},
		{ITEM_SECONDARY_VECTOR, "Secondary Vector", "ItemSecondaryVector.png"},
	};
	// Only the codes above are ever stored; anything else shows blank.
	const ItemLook UNKNOWN_LOOK = {EMPTY, "", nullptr};

	const ItemLook &LookOf(int code)
	{
		for(const ItemLook &look : ITEM_LOOKS)
			if(look.code == code)
				return look;
		return UNKNOWN_LOOK;
	}
}

ItemSlots::ItemSlots(BaseEngine *engine, int x, int y, const ItemInventory &items)
	: DisplayableObject(engine),
	  items(items)
{
	this->x = previousX = x;
	this->y = previousY = y;
	width = PANEL_WIDTH;
	height = PANEL_HEIGHT;
	visible = true;
	fullFrame.LoadImage(FRAME_FILE);
	slotFrame.ShrinkFrom(fullFrame, FRAME_REDUCTION);
	for(int i = 0; i < SLOT_COUNT; ++i)
	{
		slotX[i] = x + FIRST_SLOT_X + SLOT_SPACING_X * i;
		slotY[i] = y + SLOT_OFFSET_Y;
	}
}

int ItemSlots::ItemAt(int index) const
{
	return items.ItemAt(index);
}

int ItemSlots::SlotAt(int x, int y) const
{
	for(int i = 0; i < SLOT_COUNT; ++i)
		if(x >= slotX[i] && x <= slotX[i] + SLOT_EXTENT && y >= slotY[i] && y <= slotY[i] + SLOT_EXTENT)
			return i;
	return -1;
}

void ItemSlots::Draw()
{
	if(!visible)
		return;
	engine->DrawText(
		x + CAPTION_X, y, CAPTION, TEXT_COLOUR, engine->GetFont(CAPTION_FONT, CAPTION_SIZE), engine->frameSurface);
	for(int i = 0; i < SLOT_COUNT; ++i)
		DrawSlot(slotX[i], slotY[i], items.ItemAt(i));
	RememberPosition();
}

void ItemSlots::DrawSlot(int sx, int sy, int code)
{
	const ItemLook &look = LookOf(code);
	slotFrame.RenderImage(engine->frameSurface, 0, 0, sx, sy, slotFrame.GetWidth(), slotFrame.GetHeight());
	if(look.iconFile)
	{
		const std::shared_ptr<const ImageData> icon = engine->pictures.Picture(look.iconFile);
		icon->RenderImageWithMask(
			engine->frameSurface, 0, 0, sx + ICON_INSET, sy + ICON_INSET, icon->GetWidth(), icon->GetHeight());
	}
	DrawLabel(sx, sy, look.label);
}

void ItemSlots::DrawLabel(int sx, int sy, const char *label)
{
	if(!*label)
		return;
	Font *font = engine->GetFont(LABEL_FONT, LABEL_SIZE);
	int labelWidth = 0;
	int labelHeight = 0;
	font->Measure(label, labelWidth, labelHeight);
	// Centred under the slot's middle, starting on its bottom edge.
	engine->DrawText(
		sx + SLOT_EXTENT / 2 - labelWidth / 2, sy + SLOT_EXTENT, label, TEXT_COLOUR, font, engine->frameSurface);
}
