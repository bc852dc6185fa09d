#include "rules/LevelRules.h"

#include "leveldata/MapRecord.h"
#include "rules/RandomSource.h"

namespace {
	// What a Data Cache opens into, by a draw below 100.
	struct CacheContent {
		int below;
		int type;
	};
	const int CACHE_DRAW = 100;
	const CacheContent CACHE_CONTENTS[] = {
		{15, ITEM_KERNEL_ROT},
		{30, ITEM_SECONDARY_VECTOR},
		{45, ITEM_SELF_REPAIR},
		{60, ITEM_POLYMORPHIC_SHIELD},
		{70, FIREWALL},
		{80, ANTIVIRUS},
		{90, VIRUS_SUPPRESSOR},
		{100, RESTORATION_NODE},
	};
}

LevelRules::LevelRules(RandomSource &random) : random(random)
{}

void LevelRules::Start(const MapRecord &map)
{
	Reset(map);
	Node(map.GetStart()).SetState(ENCRYPTED);
}

void LevelRules::StartEmpty()
{
	Reset(MapRecord());
}

void LevelRules::Reset(const MapRecord &map)
{
	for(int c = 0; c < GRID_COLUMNS; ++c)
		for(int r = 0; r < GRID_ROWS; ++r)
			nodes[c][r].Reset(map.TypeAt(c, r));
	virus = Virus();
	items = ItemInventory();
	selectedSlot = -1;
	secondaryVectorMoves = 0;
	secondaryVectorTarget = {0, 0};
	outcome = LevelOutcome::PLAYING;
}

MoveReport LevelRules::ClickNode(GridPosition position)
{
	MoveReport report;
	if(HasEnded())
		return report;
	NetworkNode &node = Node(position);
	if(node.GetState() == HIDDEN)
		return report;
	if(node.GetState() == ENCRYPTED)
		Decrypt(position, report);
	else if(node.GetState() == BLOCKED)
	{
		// Nothing happens to the node, but the defence gets its move.
	}
	else if(node.IsTarget())
	{
		if(selectedSlot == -1)
			Attack(position, report);
		else
			ApplyItem(position, report);
	}
	else if(node.GetType() == DATA_CACHE)
		OpenDataCache(position, report);
	else
	{
		const int slot = IsItem(node.GetType()) ? items.AddItem(node.GetType()) : -1;
		if(slot == -1)
			return report;
		report.Add(MoveEventKind::PICKED_UP, position, slot);
		node.SetType(HACKED);
		report.Add(MoveEventKind::HACKED, position);
	}
	EndMove(report);
	return report;
}

void LevelRules::Decrypt(GridPosition position, MoveReport &report)
{
	NetworkNode &node = Node(position);
	node.SetState(REVEALED);
	report.Add(MoveEventKind::REVEALED, position);
	virus.NodeRevealed(node.GetType());
	UncoverNeighbours(position, report);
	BlockNeighbours(position, report);
	report.Add(MoveEventKind::HINT, position, DistanceToObjective(position));
}

void LevelRules::Attack(GridPosition position, MoveReport &report)
{
	NetworkNode &node = Node(position);
	const int strength = virus.strength;
	const Virus::Blow blow = virus.Attack(node);
	report.Add(MoveEventKind::DAMAGED, position, strength);
	if(blow == Virus::Blow::TARGET_FELL)
	{
		HackNode(position, report);
		return;
	}
	if(blow == Virus::Blow::SHIELDED)
	{
		report.Add(MoveEventKind::SHIELDED, position);
		return;
	}
	report.Add(MoveEventKind::COUNTERED, position, node.GetStrength());
	if(virus.IsDestroyed())
		End(LevelOutcome::LOST, position, report);
}

void LevelRules::ApplyItem(GridPosition target, MoveReport &report)
{
	const int item = items.ItemAt(selectedSlot);
	if(item == ITEM_KERNEL_ROT)
	{
		NetworkNode &node = Node(target);
		const int damage = KernelRotDamage(node.GetCoherence());
		node.TakeDamage(damage);
		report.Add(MoveEventKind::DAMAGED, target, damage);
	}
	else if(item == ITEM_SECONDARY_VECTOR)
	{
		secondaryVectorMoves = SECONDARY_VECTOR_MOVES;
		secondaryVectorTarget = target;
	}
	else
	{
		report.Add(MoveEventKind::UNKNOWN_ITEM, target, item);
		return;
	}
	items.ClearSlot(selectedSlot);
	report.Add(MoveEventKind::ITEM_USED, target, selectedSlot);
}

void LevelRules::OpenDataCache(GridPosition position, MoveReport &report)
{
	NetworkNode &node = Node(position);
	const int content = DataCacheContent();
	node.SetType(content);
	report.Add(MoveEventKind::OPENED, position, content);
	virus.NodeRevealed(content);
	BlockNeighbours(position, report);
}

int LevelRules::DataCacheContent()
{
	const int draw = random.Below(CACHE_DRAW);
	for(const CacheContent &content : CACHE_CONTENTS)
		if(draw < content.below)
			return content.type;
	return RESTORATION_NODE;
}

void LevelRules::EndMove(MoveReport &report)
{
	report.moved = true;
	selectedSlot = -1;
	for(int c = 0; c < GRID_COLUMNS; ++c)
		for(int r = 0; r < GRID_ROWS; ++r)
			if(nodes[c][r].GetState() == REVEALED && nodes[c][r].GetType() == RESTORATION_NODE)
				RunRestoration(report);
	virus.RepairOneMove();
	RunSecondaryVector(report);
}

void LevelRules::RunRestoration(MoveReport &report)
{
	// Runs for every Restoration Node after every move: no list on the heap.
	GridPosition targets[GRID_COLUMNS * GRID_ROWS];
	int count = 0;
	for(int c = 0; c < GRID_COLUMNS; ++c)
		for(int r = 0; r < GRID_ROWS; ++r)
			if(nodes[c][r].IsTarget())
				targets[count++] = {c, r};
	if(count == 0)
		return;
	const GridPosition healed = targets[random.Below(count)];
	Node(healed).TakeDamage(-RESTORATION_HEAL);
	report.Add(MoveEventKind::HEALED, healed, RESTORATION_HEAL);
}

// It goes on hitting its target by type, whatever the target's state.
void LevelRules::RunSecondaryVector(MoveReport &report)
{
	if(secondaryVectorMoves <= 0)
		return;
	--secondaryVectorMoves;
	NetworkNode &target = Node(secondaryVectorTarget);
	if(!IsFighter(target.GetType()))
		return;
	const bool fell = target.TakeDamage(SECONDARY_VECTOR_DAMAGE);
	report.Add(MoveEventKind::DAMAGED, secondaryVectorTarget, SECONDARY_VECTOR_DAMAGE);
	if(fell)
		HackNode(secondaryVectorTarget, report);
}

void LevelRules::UncoverNeighbours(GridPosition position, MoveReport &report)
{
	int marker = 0;
	for(const GridPosition &p : NeighboursOf(position))
	{
		if(Node(p).GetState() != HIDDEN)
			continue;
		Node(p).SetState(ENCRYPTED);
		report.Add(MoveEventKind::UNCOVERED, p, marker++);
	}
}

void LevelRules::BlockNeighbours(GridPosition position, MoveReport &report)
{
	if(!IsDefenseSubsystem(Node(position).GetType()))
		return;
	for(const GridPosition &p : NeighboursOf(position))
		UpdateBlocking(p, report);
}

void LevelRules::UpdateBlocking(GridPosition position, MoveReport &report)
{
	NetworkNode &node = Node(position);
	if(node.GetState() == REVEALED)
		return;
	for(const GridPosition &p : NeighboursOf(position))
		if(Node(p).Blocks())
		{
			node.SetState(BLOCKED);
			report.Add(MoveEventKind::BLOCKED, position);
			return;
		}
	node.SetState(ENCRYPTED);
	report.Add(MoveEventKind::UNBLOCKED, position);
}

void LevelRules::HackNode(GridPosition position, MoveReport &report)
{
	NetworkNode &node = Node(position);
	if(node.GetType() == SYSTEM_CORE)
		End(LevelOutcome::WON, position, report);
	virus.NodeHacked(node.GetType());
	node.SetType(HACKED);
	report.Add(MoveEventKind::HACKED, position);
	for(const GridPosition &p : NeighboursOf(position))
		UpdateBlocking(p, report);
}

// A loss can still be overtaken by a win later in the same move, when a
// Secondary Vector brings the System Core down: the last ending holds.
void LevelRules::End(LevelOutcome ending, GridPosition at, MoveReport &report)
{
	outcome = ending;
	report.Add(ending == LevelOutcome::WON ? MoveEventKind::WON : MoveEventKind::LOST, at);
}

MoveReport LevelRules::ActivateSlot(int slot)
{
	MoveReport report;
	if(HasEnded())
		return report;
	selectedSlot = -1;
	const int item = items.ItemAt(slot);
	if(item == ITEM_KERNEL_ROT || item == ITEM_SECONDARY_VECTOR)
	{
		selectedSlot = slot;
		return report;
	}
	if(item == ITEM_SELF_REPAIR)
		virus.StartSelfRepair();
	else if(item == ITEM_POLYMORPHIC_SHIELD)
		virus.RaiseShield();
	else
		return report;
	items.ClearSlot(slot);
	report.Add(MoveEventKind::ITEM_USED, {-1, -1}, slot);
	return report;
}

int LevelRules::DistanceToObjective(GridPosition start) const
{
	Steps steps;
	int nearest = -1;
	Spread(
		start, [this](GridPosition p) { return At(p).GetType() != EMPTY; }, steps,
		[this, &nearest](GridPosition p, int distance) {
			if(!IsObjective(At(p).GetType()))
				return false;
			nearest = distance;
			return true;
		});
	return nearest;
}
