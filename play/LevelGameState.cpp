#include "play/LevelGameState.h"

#include "engine/VexaRiftEngine.h"
#include "hud/CursorObject.h"
#include "hud/IndicatorObject.h"
#include "hud/ItemSlots.h"
#include "hud/MovingVirusObject.h"
#include "leveldata/MapRecord.h"
#include "play/NodeDescription.h"
#include "play/NodeObject.h"
// Upward, by design: a level that is won or lost hands over to the end
// screen, which in turn starts the next level.
#include "screens/EndGameState.h"

#include <cstdio>
#include <cstdlib>

namespace {
	const int TILES_ACROSS = 20;
	const int CURSOR_START_COLUMN = 9;
	const int CURSOR_START_ROW = 0;
	const int INDICATOR_X = 10;
	const int INDICATOR_FROM_BOTTOM = 140;
	const int ITEM_SLOTS_X = 300;
	const int ITEM_SLOTS_FROM_BOTTOM = 130;

	const int LEFT_BUTTON = 1;
	struct KeypadStep {
		int keyCode;
		int dx;
		int dy;
	};
	// Sideways by two tile columns, diagonally by one: the six neighbours.
	const KeypadStep KEYPAD_STEPS[] = {
		{SDLK_KP_1, -50, 50},
		{SDLK_KP_3, 50, 50},
		{SDLK_KP_4, -100, 0},
		{SDLK_KP_6, 100, 0},
		{SDLK_KP_7, -50, -50},
		{SDLK_KP_9, 50, -50},
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

	LevelObserver *levelObserver = nullptr;
}

void LevelGameState::SetObserver(LevelObserver *observer)
{
	levelObserver = observer;
}

LevelObserver *LevelGameState::GetObserver()
{
	return levelObserver;
}

LevelGameState::LevelGameState(VexaRiftEngine *engine, int width, MapSource maps, RandomSource &random)
	: GameState(engine),
	  maps(std::move(maps)),
	  random(random),
	  tileManager(width / TILES_ACROSS, width / TILES_ACROSS),
	  background(engine, tileManager, rules)
{
	tileManager.SetMapSize(TILES_ACROSS, GRID_ROWS);
	tileManager.SetOrigin(0, 0);
}

LevelGameState::LevelGameState(VexaRiftEngine *engine, int width, const MapRecord &map, RandomSource &random)
	: LevelGameState(
		  engine, width, [map] { return std::make_unique<MapRecord>(map); }, random)
{}

LevelGameState::~LevelGameState() = default;

int LevelGameState::InitialiseObjects()
{
	VexaRiftEngine *engine = GetEngine();
	// The engine has just deleted every object of the previous level, the
	// pulses among them; a restart is a fresh level in every respect, and
	// reads the pictures afresh as it reads DATA.
	pulses.clear();
	engine->pictures.Forget();
	hoverOnNode = false;
	pointedType = 0;
	pointedState = HIDDEN;
	moves = 0;
	endTold = false;

	CreateNodes();
	background.StartLevel(nodes);
	for(int c = 0; c < GRID_COLUMNS; ++c)
		for(int r = 0; r < GRID_ROWS; ++r)
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

	indicator = new IndicatorObject(engine, INDICATOR_X, engine->height - INDICATOR_FROM_BOTTOM, rules.GetVirus());
	engine->AddObject(indicator);
	itemSlots = new ItemSlots(engine, ITEM_SLOTS_X, engine->height - ITEM_SLOTS_FROM_BOTTOM, rules.GetItems());
	engine->AddObject(itemSlots);
	return 0;
}

void LevelGameState::CreateNodes()
{
	const std::unique_ptr<MapRecord> map = maps();
	// Without a map there is no level to play: say so and end the program
	// after this pass, on an empty network so nothing else breaks first.
	if(!map)
	{
		fprintf(stderr, "No map could be read from DATA: the level cannot start.\n");
		GetEngine()->exitCode = 1;
		rules.StartEmpty();
	}
	else
		rules.Start(*map);

	for(int c = 0; c < GRID_COLUMNS; ++c)
		for(int r = 0; r < GRID_ROWS; ++r)
		{
			int x = 0;
			int y = 0;
			tileManager.GetNodeCentre(c, r, x, y);
			nodes[c][r] = new NodeObject(GetEngine(), x, y, c, r, rules.At({c, r}));
		}
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
	return tc < TILES_ACROSS && tr < GRID_ROWS && LevelTileManager::IsNodeTile(tc, tr);
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
	hoverOnNode = true;
	hoverAt = p;
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
	const int type = slot >= 0 ? itemSlots->ItemAt(slot) : 0;
	const int state = slot >= 0 ? REVEALED : HIDDEN;
	if(!hoverOnNode && type == pointedType && state == pointedState)
		return;
	hoverOnNode = false;
	pointedType = type;
	pointedState = state;
	GetEngine()->StringsChanged();
}

void LevelGameState::KeyDown(int keyCode)
{
	VexaRiftEngine *engine = GetEngine();
	if(HasEnded())
		return;
	if(keyCode == SDLK_RETURN)
	{
		engine->InitialiseObjects();
		SetupBackground();
		engine->redrawNeeded = 1;
		engine->fullRedraw = 1;
		return;
	}
	if(keyCode == SDLK_SPACE)
	{
		const GridPosition p = NodeAtPoint(cursor->x, cursor->y);
		ClickNode(p.column, p.row);
		return;
	}
	for(const KeypadStep &step : KEYPAD_STEPS)
		if(step.keyCode == keyCode)
			MoveCursorBy(step.dx, step.dy);
}

void LevelGameState::ClickNode(int column, int row)
{
	Show(rules.ClickNode({column, row}));
}

void LevelGameState::ActivateSlot(int slot)
{
	Show(rules.ActivateSlot(slot));
}

int LevelGameState::GetHoverType() const
{
	return hoverOnNode ? rules.At(hoverAt).GetType() : pointedType;
}

int LevelGameState::GetHoverState() const
{
	return hoverOnNode ? rules.At(hoverAt).GetState() : pointedState;
}

void LevelGameState::Show(const MoveReport &report)
{
	TellNodesOfRules();
	NodeObject *decrypted = nullptr;
	for(const MoveEvent &event : report.events)
		ShowEvent(event, decrypted);
	// Any click may change the items or start or end choosing a target,
	// which the slots and the panel show.
	itemSlots->LookChanged();
	GetEngine()->StringsChanged();
	if(report.moved)
	{
		++moves;
		ShowMoveEnd();
	}
	if(rules.HasEnded())
		TellEnd();
}

// Whatever the rules changed, whether or not an event describes it.
void LevelGameState::TellNodesOfRules()
{
	for(int c = 0; c < GRID_COLUMNS; ++c)
		for(int r = 0; r < GRID_ROWS; ++r)
			if(nodes[c][r]->IsBehindRules())
				nodes[c][r]->RulesChanged();
}

void LevelGameState::TellEnd()
{
	if(endTold || !levelObserver)
		return;
	endTold = true;
	levelObserver->LevelEnded(
		{rules.GetOutcome() == LevelOutcome::WON, GetVirusCoherence(), GetVirusStrength(), moves});
}

void LevelGameState::ShowEvent(const MoveEvent &event, NodeObject *&decrypted)
{
	NodeObject *node = IsInsideGrid(event.at.column, event.at.row) ? nodes[event.at.column][event.at.row] : nullptr;
	switch(event.kind)
	{
	case MoveEventKind::REVEALED:
		decrypted = node;
		break;
	case MoveEventKind::UNCOVERED:
		virusMarkers[event.value]->StartMove(decrypted->x, decrypted->y, node->x, node->y);
		break;
	case MoveEventKind::DAMAGED:
		node->FloatDamage(event.value);
		break;
	case MoveEventKind::HEALED:
		node->FloatDamage(-event.value);
		break;
	case MoveEventKind::HINT:
		ShowDistanceHint(node, event.value);
		break;
	case MoveEventKind::UNKNOWN_ITEM:
		fprintf(stderr, "Applied an unknown item\n");
		break;
	case MoveEventKind::WON:
	case MoveEventKind::LOST:
		GetEngine()->SetNextState(new EndGameState(GetEngine(), event.kind == MoveEventKind::WON));
		break;
	case MoveEventKind::BLOCKED:
	case MoveEventKind::UNBLOCKED:
	case MoveEventKind::OPENED:
	case MoveEventKind::HACKED:
	case MoveEventKind::COUNTERED:
	case MoveEventKind::SHIELDED:
	case MoveEventKind::PICKED_UP:
	case MoveEventKind::ITEM_USED:
		break;
	}
}

// A decrypted node starts a pulse and floats the way to the nearest
// objective. The rules never lack an objective on a map the loader accepts;
// where one does, the game cannot go on and ends.
void LevelGameState::ShowDistanceHint(NodeObject *node, int distance)
{
	// The pulse lists itself in the engine's object list.
	pulses.push_back(new NetworkPulseObject(GetEngine(), node, &pulses, MakeNeighbourFunction()));
	if(distance < 0)
	{
		fprintf(stderr, "No path\n");
		exit(-1);
	}
	printf("Found path, length: %d\n", distance);
	node->ShowDistanceHint(distance);
}

void LevelGameState::ShowMoveEnd()
{
	indicator->RulesChanged();
	SetupBackground();
	GetEngine()->redrawNeeded = 1;
	GetEngine()->fullRedraw = 1;
}

// A move that wins or loses leaves the end screen waiting for the next tick.
// Input that arrives before it, in the same loop pass, is not played: after a
// win the network may hold nothing left to find, and a decryption there would
// end the program ("No path").
bool LevelGameState::HasEnded() const
{
	return GetEngine()->GetPendingState() != nullptr;
}

// Only the links can change during a level, and only they are repainted.
void LevelGameState::SetupBackground()
{
	background.Paint();
}

SDL_Rect LevelGameState::StringsArea() const
{
	const VexaRiftEngine *engine = GetEngine();
	return {engine->width / 2, PANEL_TOP, engine->width / 2, engine->height - PANEL_TOP};
}

void LevelGameState::DrawStrings()
{
	VexaRiftEngine *engine = GetEngine();
	// These texts change: restore their area before writing them again.
	const SDL_Rect area = StringsArea();
	engine->CopyBackgroundArea(area.x, area.y, area.w, area.h);
	Font *titleFont = engine->GetFont(BOLD_FONT, TITLE_SIZE);
	Font *bodyFont = engine->GetFont(REGULAR_FONT, BODY_SIZE);
	const int type = GetHoverType();
	if(type != 0)
	{
		NodeDescription description;
		DescribeNode(type, GetHoverState(), description);
		int y = PANEL_TOP;
		y +=
			engine->DrawTextRightAligned(description.title, titleFont, TITLE_COLOUR, y, PANEL_MARGIN) + PANEL_TITLE_GAP;
		y += engine->DrawTextRightAligned(description.line1, bodyFont, BODY_COLOUR, y, PANEL_MARGIN);
		y += engine->DrawTextRightAligned(description.line2, bodyFont, BODY_COLOUR, y, PANEL_MARGIN);
		engine->DrawTextRightAligned(description.line3, bodyFont, BODY_COLOUR, y, PANEL_MARGIN);
	}
	engine->DrawText(SELECT_TARGET_X, PANEL_TOP, GetSelectedSlot() != -1 ? "Select target" : "", TITLE_COLOUR,
		titleFont, engine->frameSurface);
}
