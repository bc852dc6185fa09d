#include "play/LevelGameState.h"

#include "engine/VexaRiftEngine.h"
#include "hud/CursorObject.h"
#include "hud/IndicatorObject.h"
#include "hud/ItemSlots.h"
#include "hud/MovingVirusObject.h"
#include "leveldata/MapLoader.h"
#include "play/NodeDescription.h"
#include "play/NodeObject.h"
#include "play/NodeState.h"
#include "screens/EndGameState.h"

#include <cstdio>
#include <cstdlib>

namespace {
	const int TILES_ACROSS = 20;
	const int STARTING_STRENGTH = 25;
	const int STARTING_COHERENCE = 70;
	const int CURSOR_START_COLUMN = 9;
	const int CURSOR_START_ROW = 0;
	const int INDICATOR_X = 10;
	const int INDICATOR_FROM_BOTTOM = 140;
	const int ITEM_SLOTS_X = 300;
	const int ITEM_SLOTS_FROM_BOTTOM = 130;

	const int LEFT_BUTTON = 1;
	const int ENTER_KEY = 13;
	const int SPACE_KEY = 32;
	struct KeypadStep {
		int keyCode;
		int dx;
		int dy;
	};
	// Sideways by two tile columns, diagonally by one: the six neighbours.
	const KeypadStep KEYPAD_STEPS[] = {
		{SDLK_KP_1, -50, 50}, {SDLK_KP_3, 50, 50}, {SDLK_KP_4, -100, 0},
		{SDLK_KP_6, 100, 0}, {SDLK_KP_7, -50, -50}, {SDLK_KP_9, 50, -50},
	};

	const int VIRUS_SUPPRESSOR_PENALTY = 15;
	const int RESTORATION_HEAL = 10;
	const int SELF_REPAIR_GAIN = 10;
	const int SELF_REPAIR_MOVES = 3;
	const int SHIELD_CHARGES = 2;
	const int SECONDARY_VECTOR_DAMAGE = 20;
	const int SECONDARY_VECTOR_MOVES = 3;

	// What a Data Cache opens into, by rand() % 100.
	struct CacheContent {
		int below;
		int type;
	};
	const CacheContent CACHE_CONTENTS[] = {
		{15, ITEM_KERNEL_ROT}, {30, ITEM_SECONDARY_VECTOR}, {45, ITEM_SELF_REPAIR},
		{60, ITEM_POLYMORPHIC_SHIELD}, {70, FIREWALL}, {80, ANTIVIRUS},
		{90, VIRUS_SUPPRESSOR}, {100, RESTORATION_NODE},
	};

	const char *const BOLD_FONT = "riftsans_bold.otf";
	const char *const REGULAR_FONT = "riftsans_regular.otf";

	const int PANEL_TOP = 585;
	const int PANEL_MARGIN = 10;
	const int PANEL_TITLE_GAP = 10;
	const int TITLE_SIZE = 24;
	const int BODY_SIZE = 18;
	const int TITLE_COLOUR = 0xFFFFFF;
	const int BODY_COLOUR = 0xAAAAAA;
	const int SELECT_TARGET_X = 650;

	int DataCacheContent()
	{
		const int r = rand() % 100;
		for(const CacheContent &content : CACHE_CONTENTS)
			if(r < content.below)
				return content.type;
		return RESTORATION_NODE;
	}
}

LevelGameState::LevelGameState(VexaRiftEngine *engine, int width)
	: GameState(engine), tileManager(width / TILES_ACROSS, width / TILES_ACROSS), background(engine, tileManager)
{
	tileManager.SetMapSize(TILES_ACROSS, kGridRows);
	tileManager.SetOrigin(0, 0);
}

int LevelGameState::InitialiseObjects()
{
	VexaRiftEngine *engine = GetEngine();
	// The engine has just deleted every object of the previous level, the
	// pulses among them; a restart is a fresh level in every respect, and
	// reads the pictures afresh as it reads DATA.
	pulses.clear();
	engine->pictures.Forget();
	hoverType = 0;
	hoverState = 0;
	hoverNode = nullptr;
	selectedSlot = -1;
	shieldCharges = 0;
	selfRepairMoves = 0;
	secondaryVectorMoves = 0;

	CreateNodes();
	background.StartLevel(nodes);
	for(int c = 0; c < kGridColumns; ++c)
		for(int r = 0; r < kGridRows; ++r)
			engine->AddObject(nodes[c][r]);
	for(MovingVirusObject *&marker : virusMarkers)
	{
		marker = new MovingVirusObject(engine);
		engine->AddObject(marker);
	}
	cursor = new CursorObject(engine);
	NodeObject *cursorNode = nodes[CURSOR_START_COLUMN][CURSOR_START_ROW];
	cursor->MoveTo(cursorNode->x, cursorNode->y);
	engine->AddObject(cursor);

	virusStrength = STARTING_STRENGTH;
	virusCoherence = STARTING_COHERENCE;
	indicator = new IndicatorObject(engine, INDICATOR_X, engine->height - INDICATOR_FROM_BOTTOM);
	indicator->SetValues(virusCoherence, virusStrength);
	engine->AddObject(indicator);
	itemSlots = new ItemSlots(engine, ITEM_SLOTS_X, engine->height - ITEM_SLOTS_FROM_BOTTOM);
	engine->AddObject(itemSlots);
	return 0;
}

void LevelGameState::CreateNodes()
{
	std::vector<std::unique_ptr<MapRecord>> maps = LoadMaps();
	// Without a map there is no level to play: say so and end the program
	// after this pass, on an empty network so nothing else breaks first.
	MapRecord noMap;
	const MapRecord *chosen = &noMap;
	if(maps.empty())
	{
		fprintf(stderr, "No map could be read from DATA: the level cannot start.\n");
		GetEngine()->exitCode = 1;
	}
	else
		chosen = maps[rand() % maps.size()].get();

	for(int c = 0; c < kGridColumns; ++c)
		for(int r = 0; r < kGridRows; ++r)
		{
			int x = 0;
			int y = 0;
			tileManager.GetNodeCentre(c, r, x, y);
			nodes[c][r] = new NodeObject(GetEngine(), x, y, c, r);
			nodes[c][r]->SetType(chosen->TypeAt(c, r));
		}
	if(maps.empty())
		return;
	const GridPosition start = chosen->GetStart();
	nodes[start.column][start.row]->SetState(ENCRYPTED);
}

std::vector<NodeObject *> LevelGameState::GetNeighbours(NodeObject *node) const
{
	std::vector<NodeObject *> neighbours;
	for(const GridPosition &p : GetGridNeighbours(node->GetColumn(), node->GetRow()))
		neighbours.push_back(nodes[p.column][p.row]);
	return neighbours;
}

NeighbourFunction LevelGameState::MakeNeighbourFunction()
{
	return [this](NodeObject *node) { return GetNeighbours(node); };
}

bool LevelGameState::IsOnNodeTile(int x, int y) const
{
	const int tc = (x - tileManager.GetOriginX()) / TileSize();
	const int tr = (y - tileManager.GetOriginY()) / tileManager.GetTileHeight();
	// Points left of or above the grid truncate onto its first tiles, as
	// the keypad relies on; anything further out is off the grid.
	if(tc < 0 || tr < 0)
		return false;
	return tc < TILES_ACROSS && tr < kGridRows && LevelTileManager::IsNodeTile(tc, tr);
}

GridPosition LevelGameState::NodeAtPoint(int x, int y) const
{
	const int tc = (x - tileManager.GetOriginX()) / TileSize();
	const int tr = (y - tileManager.GetOriginY()) / tileManager.GetTileHeight();
	return {tr % 2 == 0 ? (tc + 1) / 2 : tc / 2, tr};
}

void LevelGameState::HoverAt(int x, int y)
{
	const GridPosition p = NodeAtPoint(x, y);
	NodeObject *node = nodes[p.column][p.row];
	cursor->MoveTo(node->x, node->y);
	hoverNode = node;
	hoverType = node->GetType();
	hoverState = node->GetState();
	GetEngine()->redrawNeeded = 1;
	GetEngine()->fullRedraw = 1;
}

void LevelGameState::MoveCursorBy(int dx, int dy)
{
	const int x = cursor->x + dx;
	const int y = cursor->y + dy;
	if(IsOnNodeTile(x, y))
		HoverAt(x, y);
}

void LevelGameState::MouseDown(int button, int x, int y)
{
	if(HasEnded())
		return;
	if(IsOnNodeTile(x, y) && button == LEFT_BUTTON)
	{
		const GridPosition p = NodeAtPoint(x, y);
		ClickNode(p.column, p.row);
		return;
	}
	const int slot = itemSlots->SlotAt(x, y);
	if(slot >= 0)
		ActivateSlot(slot);
}

void LevelGameState::MouseMoved(int x, int y)
{
	if(IsOnNodeTile(x, y))
	{
		HoverAt(x, y);
		return;
	}
	const int slot = itemSlots->SlotAt(x, y);
	hoverNode = nullptr;
	hoverType = slot >= 0 ? itemSlots->ItemAt(slot) : 0;
	hoverState = slot >= 0 ? REVEALED : HIDDEN;
}

void LevelGameState::KeyDown(int keyCode)
{
	VexaRiftEngine *engine = GetEngine();
	if(HasEnded())
		return;
	if(keyCode == ENTER_KEY)
	{
		engine->InitialiseObjects();
		SetupBackground();
		engine->redrawNeeded = 1;
		engine->fullRedraw = 1;
		return;
	}
	if(keyCode == SPACE_KEY)
	{
		const GridPosition p = NodeAtPoint(cursor->x, cursor->y);
		ClickNode(p.column, p.row);
		return;
	}
	for(const KeypadStep &step : KEYPAD_STEPS)
		if(step.keyCode == keyCode)
			MoveCursorBy(step.dx, step.dy);
}

// The rules of one move. Exactly one branch applies, chosen by the node's
// state and then its type; clicks the rules refuse are not moves.
void LevelGameState::ClickNode(int column, int row)
{
	NodeObject *node = nodes[column][row];
	const int state = node->GetState();
	if(state == HIDDEN)
		return;
	if(state == ENCRYPTED)
	{
		Decrypt(node);
		EndMove();
		return;
	}
	if(state == BLOCKED)
	{
		// Nothing happens to the node, but the defence gets its move.
		EndMove();
		return;
	}
	if(IsTarget(node))
	{
		if(selectedSlot == -1)
			Attack(node);
		else
			ApplyItem(node);
		EndMove();
		return;
	}
	if(node->GetType() == DATA_CACHE)
	{
		OpenDataCache(node);
		EndMove();
		return;
	}
	if(node->IsItem() && itemSlots->AddItem(node->GetType()))
	{
		node->SetType(HACKED);
		EndMove();
	}
}

void LevelGameState::Decrypt(NodeObject *node)
{
	node->SetState(REVEALED);
	if(node->GetType() == VIRUS_SUPPRESSOR)
		virusStrength -= VIRUS_SUPPRESSOR_PENALTY;
	UncoverNeighbours(node->GetColumn(), node->GetRow(), node->x, node->y);
	BlockNeighbours(node);
	// The pulse lists itself in the engine's object list.
	pulses.push_back(new NetworkPulseObject(GetEngine(), node, &pulses, MakeNeighbourFunction()));
	node->ShowDistanceHint(DistanceToObjective(node));
}

void LevelGameState::Attack(NodeObject *node)
{
	if(node->TakeDamage(virusStrength))
	{
		HackNode(node);
		return;
	}
	if(shieldCharges > 0)
	{
		--shieldCharges;
		return;
	}
	virusCoherence -= node->GetStrength();
	if(virusCoherence <= 0)
		LoseLevel();
}

void LevelGameState::OpenDataCache(NodeObject *node)
{
	const int content = DataCacheContent();
	node->SetType(content);
	if(content == VIRUS_SUPPRESSOR)
		virusStrength -= VIRUS_SUPPRESSOR_PENALTY;
	BlockNeighbours(node);
}

void LevelGameState::EndMove()
{
	selectedSlot = -1;
	FinishMove();
	if(hoverNode)
	{
		hoverType = hoverNode->GetType();
		hoverState = hoverNode->GetState();
	}
	SetupBackground();
	GetEngine()->redrawNeeded = 1;
	GetEngine()->fullRedraw = 1;
}

void LevelGameState::FinishMove()
{
	for(int c = 0; c < kGridColumns; ++c)
		for(int r = 0; r < kGridRows; ++r)
			if(nodes[c][r]->GetState() == REVEALED && nodes[c][r]->GetType() == RESTORATION_NODE)
				RunRestoration();

	if(selfRepairMoves > 0)
	{
		virusCoherence += SELF_REPAIR_GAIN;
		--selfRepairMoves;
	}

	if(secondaryVectorMoves > 0)
	{
		--secondaryVectorMoves;
		NodeObject *target = nodes[secondaryVectorColumn][secondaryVectorRow];
		const bool fights = target->IsDefenseSubsystem() || target->GetType() == SYSTEM_CORE;
		if(fights && target->TakeDamage(SECONDARY_VECTOR_DAMAGE))
			HackNode(target);
	}

	indicator->SetValues(virusCoherence, virusStrength);
}

void LevelGameState::RunRestoration()
{
	std::vector<NodeObject *> targets;
	for(int c = 0; c < kGridColumns; ++c)
		for(int r = 0; r < kGridRows; ++r)
			if(IsTarget(nodes[c][r]))
				targets.push_back(nodes[c][r]);
	if(targets.empty())
		return;
	targets[rand() % targets.size()]->TakeDamage(-RESTORATION_HEAL);
}

void LevelGameState::UncoverNeighbours(int column, int row, int fromX, int fromY)
{
	int marker = 0;
	for(NodeObject *neighbour : GetNeighbours(nodes[column][row]))
	{
		if(neighbour->GetState() != HIDDEN)
			continue;
		neighbour->SetState(ENCRYPTED);
		virusMarkers[marker++]->StartMove(fromX, fromY, neighbour->x, neighbour->y);
	}
	GetEngine()->redrawNeeded = 1;
}

void LevelGameState::BlockNeighbours(NodeObject *node)
{
	if(!node->IsDefenseSubsystem())
		return;
	for(NodeObject *neighbour : GetNeighbours(node))
		UpdateBlocking(neighbour);
}

void LevelGameState::UpdateBlocking(NodeObject *node)
{
	if(node->GetState() == REVEALED)
		return;
	for(NodeObject *neighbour : GetNeighbours(node))
		if(neighbour->GetState() == REVEALED && neighbour->IsDefenseSubsystem())
		{
			node->SetState(BLOCKED);
			return;
		}
	node->SetState(ENCRYPTED);
}

void LevelGameState::HackNode(NodeObject *node)
{
	if(node->GetType() == SYSTEM_CORE)
		WinLevel();
	else if(node->GetType() == VIRUS_SUPPRESSOR)
		virusStrength += VIRUS_SUPPRESSOR_PENALTY;
	node->SetType(HACKED);
	for(NodeObject *neighbour : GetNeighbours(node))
		UpdateBlocking(neighbour);
}

void LevelGameState::LoseLevel()
{
	GetEngine()->SetNextState(new EndGameState(GetEngine(), false));
}

void LevelGameState::WinLevel()
{
	GetEngine()->SetNextState(new EndGameState(GetEngine(), true));
}

// A move that wins or loses leaves the end screen waiting for the next tick.
// Input that arrives before it, in the same loop pass, is not played: after a
// win the network may hold nothing left to find, and a decryption there would
// end the program ("No path").
bool LevelGameState::HasEnded() const
{
	return GetEngine()->GetPendingState() != nullptr;
}

bool LevelGameState::IsTarget(const NodeObject *node) const
{
	return node->GetState() == REVEALED && (node->IsDefenseSubsystem() || node->GetType() == SYSTEM_CORE);
}

// Activating a slot is never a move: nothing else in the level changes.
void LevelGameState::ActivateSlot(int slot)
{
	selectedSlot = -1;
	const int item = itemSlots->ItemAt(slot);
	if(item == ITEM_KERNEL_ROT || item == ITEM_SECONDARY_VECTOR)
		selectedSlot = slot;
	else if(item == ITEM_SELF_REPAIR)
	{
		selfRepairMoves += SELF_REPAIR_MOVES;
		itemSlots->ClearSlot(slot);
	}
	else if(item == ITEM_POLYMORPHIC_SHIELD)
	{
		shieldCharges += SHIELD_CHARGES;
		itemSlots->ClearSlot(slot);
	}
}

void LevelGameState::ApplyItem(NodeObject *target)
{
	const int item = itemSlots->ItemAt(selectedSlot);
	if(item == ITEM_KERNEL_ROT)
	{
		target->TakeDamage(target->GetCoherence() / 2);
		itemSlots->ClearSlot(selectedSlot);
		return;
	}
	if(item == ITEM_SECONDARY_VECTOR)
	{
		secondaryVectorMoves = SECONDARY_VECTOR_MOVES;
		secondaryVectorColumn = target->GetColumn();
		secondaryVectorRow = target->GetRow();
		itemSlots->ClearSlot(selectedSlot);
		return;
	}
	fprintf(stderr, "Applied an unknown item\n");
}

int LevelGameState::DistanceToObjective(NodeObject *start)
{
	struct Record {
		NodeObject *node;
		int parent;
		int cost;
	};
	// Records stay put in one array; the lists hold their indexes.
	std::vector<Record> records = {{start, -1, 0}};
	std::vector<int> open = {0};
	std::vector<int> closed;
	auto findIn = [&records](const std::vector<int> &list, const NodeObject *node) {
		for(size_t i = 0; i < list.size(); ++i)
			if(records[list[i]].node == node)
				return static_cast<int>(i);
		return -1;
	};

	while(!open.empty())
	{
		size_t best = 0;
		for(size_t i = 1; i < open.size(); ++i)
			if(records[open[i]].cost < records[open[best]].cost)
				best = i;
		const int current = open[best];
		if(records[current].node->IsObjective())
		{
			int length = 0;
			for(int r = current; records[r].parent != -1; r = records[r].parent)
				++length;
			printf("Found path, length: %d\n", length);
			return length;
		}
		closed.push_back(current);
		open.erase(open.begin() + best);

		for(NodeObject *neighbour : GetNeighbours(records[current].node))
		{
			if(neighbour->GetType() == EMPTY || findIn(closed, neighbour) != -1)
				continue;
			const int cost = records[current].cost + 1;
			const int waiting = findIn(open, neighbour);
			if(waiting == -1)
			{
				records.push_back({neighbour, current, cost});
				open.push_back(static_cast<int>(records.size()) - 1);
			}
			else if(cost < records[open[waiting]].cost)
			{
				records[open[waiting]].parent = current;
				records[open[waiting]].cost = cost;
			}
		}
	}
	fprintf(stderr, "No path\n");
	exit(-1);
}

// Only the links can change during a level, and only they are repainted.
void LevelGameState::SetupBackground()
{
	background.Paint();
}

void LevelGameState::DrawStrings()
{
	VexaRiftEngine *engine = GetEngine();
	// These texts change: restore their area before writing them again.
	engine->CopyBackgroundArea(engine->width / 2, PANEL_TOP, engine->width / 2, engine->height - PANEL_TOP);
	Font *titleFont = engine->GetFont(BOLD_FONT, TITLE_SIZE);
	Font *bodyFont = engine->GetFont(REGULAR_FONT, BODY_SIZE);
	if(hoverType != 0)
	{
		NodeDescription description;
		DescribeNode(hoverType, hoverState, description);
		int y = PANEL_TOP;
		y += engine->DrawTextRightAligned(description.title, titleFont, TITLE_COLOUR, y, PANEL_MARGIN) + PANEL_TITLE_GAP;
		y += engine->DrawTextRightAligned(description.line1, bodyFont, BODY_COLOUR, y, PANEL_MARGIN);
		y += engine->DrawTextRightAligned(description.line2, bodyFont, BODY_COLOUR, y, PANEL_MARGIN);
		engine->DrawTextRightAligned(description.line3, bodyFont, BODY_COLOUR, y, PANEL_MARGIN);
	}
	engine->DrawText(SELECT_TARGET_X, PANEL_TOP, selectedSlot != -1 ? "Select target" : "", TITLE_COLOUR,
		titleFont, engine->frameSurface);
}
