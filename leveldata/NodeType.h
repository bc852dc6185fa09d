#ifndef VEXARIFT_LEVELDATA_NODETYPE_H
#define VEXARIFT_LEVELDATA_NODETYPE_H

// What stands at a grid position. The values are stored as plain ints in
// nodes and item slots, so the numbering is fixed and not in keyword order;
// the enumerator names are the keywords of the DATA file.
//
// Ranges the rules rely on: FIREWALL..VIRUS_SUPPRESSOR are the Defense
// Subsystems, the ITEM_ values are the items, SYSTEM_CORE..DATA_CACHE are
// the objectives of the distance hint.
enum NodeType {
	EMPTY = 0,
	HACKED = 1,
	FIREWALL = 2,
	ANTIVIRUS = 3,
	RESTORATION_NODE = 4,
	VIRUS_SUPPRESSOR = 5,
	SYSTEM_CORE = 6,
	ITEM_SELF_REPAIR = 7,
	ITEM_KERNEL_ROT = 8,
	ITEM_POLYMORPHIC_SHIELD = 9,
	ITEM_SECONDARY_VECTOR = 10,
	DATA_CACHE = 11
};

// The ranges above, as the rules and the tools ask them.
constexpr bool IsDefenseSubsystem(int type)
{
	return type >= FIREWALL && type <= VIRUS_SUPPRESSOR;
}

constexpr bool IsItem(int type)
{
	return type >= ITEM_SELF_REPAIR && type <= ITEM_SECONDARY_VECTOR;
}

constexpr bool IsObjective(int type)
{
	return type >= SYSTEM_CORE && type <= DATA_CACHE;
}

// What strikes back when attacked and shows its coherence and strength: the
// Defense Subsystems and the System Core.
constexpr bool IsFighter(int type)
{
	return type >= FIREWALL && type <= SYSTEM_CORE;
}

#endif
