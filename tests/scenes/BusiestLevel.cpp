#include "scenes/BusiestLevel.h"

#include "engine/VexaRiftEngine.h"
#include "hud/ItemSlots.h"
#include "leveldata/NodeType.h"
#include "play/LevelGameState.h"
#include "play/NodeObject.h"

namespace {
	const int LEFT_BUTTON = 1;
	// Kernel Rot, Self Repair and Secondary Vector lie here on the top row;
	// the Polymorphic Shield beside them stays on the map with its icon.
	const int PICKED_ITEM_COLUMNS[] = {2, 4, 6};
	const int KERNEL_ROT_SLOT = 0;
	const int HOVERED_COLUMN = 1;
	const int HOVERED_ROW = 1;

	void ClickAt(VexaRiftEngine &engine, const NodeObject *node)
	{
		engine.MouseDown(LEFT_BUTTON, node->x, node->y);
	}

	NodeObject *FirstEncrypted(const LevelGameState &level, bool defense)
	{
		for(int c = 0; c < GRID_COLUMNS; ++c)
			for(int r = 0; r < GRID_ROWS; ++r)
			{
				NodeObject *node = level.NodeAt(c, r);
				if(node->GetState() == ENCRYPTED && IsDefenseSubsystem(node->GetType()) == defense)
					return node;
			}
		return nullptr;
	}
}

std::string BusiestLevelData()
{
	return "MAP\n"
		   "HACKED HACKED ITEM_KERNEL_ROT HACKED ITEM_SELF_REPAIR HACKED ITEM_SECONDARY_VECTOR HACKED "
		   "ITEM_POLYMORPHIC_SHIELD HACKED\n"
		   "HACKED FIREWALL HACKED HACKED ANTIVIRUS HACKED HACKED RESTORATION_NODE HACKED HACKED\n"
		   "DATA_CACHE HACKED HACKED HACKED HACKED HACKED HACKED HACKED HACKED DATA_CACHE\n"
		   "HACKED HACKED VIRUS_SUPPRESSOR HACKED HACKED HACKED FIREWALL HACKED HACKED HACKED\n"
		   "HACKED HACKED HACKED HACKED SYSTEM_CORE HACKED HACKED HACKED HACKED HACKED\n"
		   "ANTIVIRUS HACKED HACKED HACKED HACKED HACKED HACKED HACKED ANTIVIRUS HACKED\n"
		   "HACKED HACKED RESTORATION_NODE HACKED HACKED FIREWALL HACKED HACKED HACKED HACKED\n"
		   "HACKED HACKED HACKED HACKED HACKED HACKED HACKED HACKED FIREWALL HACKED\n"
		   "DATA_CACHE HACKED ITEM_SELF_REPAIR HACKED ITEM_KERNEL_ROT HACKED HACKED HACKED HACKED DATA_CACHE\n"
		   "0\n"
		   "0\n";
}

bool DecryptNextNode(VexaRiftEngine &engine, LevelGameState &level)
{
	NodeObject *node = FirstEncrypted(level, false);
	if(!node)
		node = FirstEncrypted(level, true);
	if(!node)
		return false;
	ClickAt(engine, node);
	return true;
}

void PlayBusiestLevel(VexaRiftEngine &engine, LevelGameState &level)
{
	while(DecryptNextNode(engine, level))
		continue;
	for(int column : PICKED_ITEM_COLUMNS)
		ClickAt(engine, level.NodeAt(column, 0));
	const ItemSlots *slots = level.GetItemSlots();
	engine.MouseDown(LEFT_BUTTON, slots->SlotX(KERNEL_ROT_SLOT), slots->SlotY(KERNEL_ROT_SLOT));
	const NodeObject *hovered = level.NodeAt(HOVERED_COLUMN, HOVERED_ROW);
	engine.MouseMoved(hovered->x, hovered->y);
}
