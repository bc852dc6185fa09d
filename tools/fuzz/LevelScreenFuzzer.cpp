// libFuzzer entry for the level screen under SDL's dummy video driver: the
// map and seed of a rules fuzz input, then SDL events (the mouse anywhere in
// the window, keypad keys, Space, Enter; never Esc, which ends the program)
// with ticks between them. After every pass of the engine's loop it checks
// that the screen shows what the rules hold: each node's picture, the virus
// indicator, and the panel of the node under the cursor.
#include "engine/VexaRiftEngine.h"
#include "hud/CursorObject.h"
#include "hud/IndicatorObject.h"
#include "hud/ItemSlots.h"
#include "leveldata/MapAnalysis.h"
#include "leveldata/MapLoader.h"
#include "play/LevelGameState.h"
#include "play/LevelMaker.h"
#include "play/NodeObject.h"
#include "rules/LibraryRandom.h"
#include "tools/fuzz/LevelInput.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {
	const int WIDTH = 1280;
	const int HEIGHT = 720;
	const int TICK_MS = 10;
	const int MAX_TICKS_BETWEEN = 64;
	const size_t MAX_EVENTS = 100;
	const SDL_Keycode KEYS[] = {SDLK_KP_1, SDLK_KP_2, SDLK_KP_3, SDLK_KP_4, SDLK_KP_5, SDLK_KP_6, SDLK_KP_7, SDLK_KP_8,
		SDLK_KP_9, SDLK_SPACE, SDLK_RETURN, SDLK_KP_ENTER};
	const int KEY_COUNT = static_cast<int>(sizeof(KEYS) / sizeof(KEYS[0]));

	// Never deleted: SDL_ttf's exit handler has closed the fonts by the time
	// a global would go, and the engine's end would close them again.
	VexaRiftEngine *engine = nullptr;
	std::vector<MapRecord> shipped;
	int tick = 0;
	std::string folder;
	// A point on each item slot, found once.
	int slotX[ItemInventory::SLOT_COUNT] = {};
	int slotY[ItemInventory::SLOT_COUNT] = {};

	// The engine's first state, made before the engine knows its width.
	std::unique_ptr<GameState> MakeFirstLevel(VexaRiftEngine *engine)
	{
		static LibraryRandom random;
		return std::make_unique<LevelGameState>(engine, WIDTH, shipped[0], random);
	}

	// How a level is made from a map and a seed. The one place that knows
	// how the level screen is built.
	void StartLevel(const MapRecord &map, uint32_t seed)
	{
		std::ofstream("DATA") << FormatMapRecord(map);
		srand(seed);
		engine->SetNextState(LevelMaker::MakeLevel(engine));
	}

	LevelGameState *CurrentLevel()
	{
		return dynamic_cast<LevelGameState *>(engine->GetCurrentState());
	}

	void Fail(const std::string &what)
	{
		fprintf(stderr, "%s\n", what.c_str());
		abort();
	}

	void Push(const SDL_Event &event)
	{
		SDL_Event copy = event;
		if(SDL_PushEvent(&copy) < 0)
			Fail(std::string("cannot push an event: ") + SDL_GetError());
	}

	void PushMotion(int x, int y)
	{
		SDL_Event event = {};
		event.type = SDL_MOUSEMOTION;
		event.motion.x = x;
		event.motion.y = y;
		Push(event);
	}

	void PushButton(Uint32 type, int button, int x, int y)
	{
		SDL_Event event = {};
		event.type = type;
		event.button.button = static_cast<Uint8>(button);
		event.button.x = x;
		event.button.y = y;
		Push(event);
	}

	void PushKey(SDL_Keycode key)
	{
		SDL_Event event = {};
		event.type = SDL_KEYDOWN;
		event.key.keysym.sym = key;
		Push(event);
		event.type = SDL_KEYUP;
		Push(event);
	}

	// Whether the panel describes the node under the cursor: after the mouse
	// came onto a node tile or the keypad moved the cursor, until the mouse
	// leaves the nodes or a level starts afresh.
	struct Hover {
		bool onNode = false;
		GameState *level = nullptr;
	};

	void Check(Hover &hover)
	{
		LevelGameState *level = CurrentLevel();
		if(!level || engine->GetPendingState())
			return;
		const LevelRules &rules = level->GetRules();
		if(!hover.onNode || hover.level != level)
			return;
		const CursorObject *cursor = level->GetCursor();
		const GridPosition at = level->NodeAtPoint(cursor->x, cursor->y);
		const NetworkNode &under = rules.At(at);
		if(level->GetHoverType() != under.GetType() || level->GetHoverState() != under.GetState())
			Fail("the panel describes the node at " + std::to_string(at.column) + "," + std::to_string(at.row) +
				" as type " + std::to_string(level->GetHoverType()) + " in state " +
				std::to_string(level->GetHoverState()) + "; the rules hold type " + std::to_string(under.GetType()) +
				" in state " + std::to_string(under.GetState()));
	}

	void Pass(Hover &hover)
	{
		tick += TICK_MS;
		engine->RunPass(tick);
		Check(hover);
	}

	// A decrypted node whose part of the network holds no objective ends the
	// game ("No path"), as the rules say. Items and Data Caches go when
	// taken or opened, the System Core only with a win: a part with a core
	// never runs out.
	bool EveryPartHoldsACore(const MapRecord &map)
	{
		// An EMPTY start leads only to its neighbours.
		bool reachesNode = map.TypeAt(map.startColumn, map.startRow) != EMPTY;
		for(const GridPosition &p : GetGridNeighbours(map.startColumn, map.startRow))
			reachesNode = reachesNode || map.TypeAt(p.column, p.row) != EMPTY;
		if(!reachesNode)
			return false;
		for(const auto &part : FindNetworkParts(map))
		{
			bool core = false;
			for(const GridPosition &p : part)
				core = core || map.TypeAt(p.column, p.row) == SYSTEM_CORE;
			if(!core)
				return false;
		}
		return true;
	}

	void LinkRunFolder()
	{
		for(const auto &entry : std::filesystem::directory_iterator(VEXARIFT_GAME_DIR))
		{
			const std::string name = entry.path().filename().string();
			if(name == "DATA" || name == "LastRun")
				continue;
			std::filesystem::create_symlink(entry.path(), name);
		}
	}

	void FindSlots()
	{
		const ItemSlots *slots = CurrentLevel()->GetItemSlots();
		for(int y = HEIGHT - 1; y >= HEIGHT / 2; --y)
			for(int x = 0; x < WIDTH; ++x)
			{
				const int slot = slots->SlotAt(x, y);
				if(slot >= 0)
				{
					slotX[slot] = x;
					slotY[slot] = y;
				}
			}
	}

	// One event from the bytes, then the pass that handles it.
	void PlayEvent(LevelInput::Reader &in, Hover &hover)
	{
		LevelGameState *level = CurrentLevel();
		const int kind = in.Next() % 8;
		const int x = in.Next() * WIDTH / 256;
		const int y = in.Next() * HEIGHT / 256;
		if(kind == 0)
		{
			PushMotion(x, y);
			if(level)
				hover.onNode = level->IsOnNodeTile(x, y);
		}
		else if(kind == 1)
			PushButton(SDL_MOUSEBUTTONDOWN, 1 + x % 3, x, y);
		else if(kind == 2 && level)
		{
			// Onto a node's centre, and a left click there.
			const GridPosition p = LevelInput::PositionOf(x);
			const NodeObject *node = level->NodeAt(p.column, p.row);
			PushMotion(node->x, node->y);
			PushButton(SDL_MOUSEBUTTONDOWN, 1, node->x, node->y);
			PushButton(SDL_MOUSEBUTTONUP, 1, node->x, node->y);
			hover.onNode = true;
		}
		else if(kind == 3)
		{
			const int slot = x % ItemInventory::SLOT_COUNT;
			PushButton(SDL_MOUSEBUTTONDOWN, 1, slotX[slot], slotY[slot]);
		}
		else if(kind == 4 || kind == 5)
		{
			const SDL_Keycode key = KEYS[x % KEY_COUNT];
			// A restart makes a new cursor; the one read here is gone then.
			const CursorObject *cursor = level ? level->GetCursor() : nullptr;
			const int wasX = cursor ? cursor->x : 0;
			const int wasY = cursor ? cursor->y : 0;
			// A restart clears the panel; a keypad step that moves the cursor
			// puts it on the node there.
			if(key == SDLK_RETURN)
				hover.onNode = false;
			PushKey(key);
			Pass(hover);
			if(key != SDLK_RETURN && level && CurrentLevel() == level && (cursor->x != wasX || cursor->y != wasY))
			{
				hover.onNode = true;
				Check(hover);
			}
			return;
		}
		else
		{
			// Ticks with no redraw between them: each still moves and checks
			// everything, the pass after them draws.
			for(int i = x % MAX_TICKS_BETWEEN; i > 0; --i)
			{
				tick += TICK_MS;
				engine->TickAt(tick);
				Check(hover);
			}
		}
		Pass(hover);
	}
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
	setenv("SDL_VIDEODRIVER", "dummy", 1);
	setenv("SDL_AUDIODRIVER", "dummy", 1);
	shipped = LevelInput::ReadShippedMaps(VEXARIFT_SHIPPED_DATA);
	char pattern[] = "/tmp/vexarift-fuzz-screen-XXXXXX";
	if(shipped.empty() || !mkdtemp(pattern) || chdir(pattern) != 0)
		Fail("cannot set up the fuzzer's folder or read the shipped maps");
	folder = pattern;
	atexit([] { std::filesystem::remove_all(folder); });
	LinkRunFolder();
	// The level prints its maps and last run at every start.
	if(!freopen("/dev/null", "w", stdout))
		Fail("cannot silence standard output");
	std::ofstream("DATA") << FormatMapRecord(shipped[0]);
	engine = new VexaRiftEngine(MakeFirstLevel);
	if(engine->Initialise("fuzz", WIDTH, HEIGHT, "Cornerstone Regular.ttf", 24) != 0)
		Fail("cannot start the engine");
	Hover hover;
	Pass(hover);
	FindSlots();
	return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	LevelInput::Reader in{data, size};
	const LevelInput level = LevelInput::DecodeLevel(in, shipped);
	// Kept out of the corpus: such a map ends the game by the rules.
	if(!EveryPartHoldsACore(level.map))
		return -1;
	engine->exitCode = -1;
	StartLevel(level.map, level.seed);
	Hover hover;
	Pass(hover);
	hover.level = CurrentLevel();
	for(size_t events = 0; !in.AtEnd() && events < MAX_EVENTS; ++events)
	{
		PlayEvent(in, hover);
		// A new level, after the end screen or Enter, starts with no panel.
		if(CurrentLevel() != hover.level || engine->exitCode != -1)
		{
			hover = Hover();
			hover.level = CurrentLevel();
		}
	}
	return 0;
}
