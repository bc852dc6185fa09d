// Ten thousand moves through the level's own hooks, spread over every map
// of the shipped DATA, visited in turn: purposeful games that explore, fight
// and use their items, and the inputs of a careless player (any node, any button,
// item slots and their targets, the keypad, Enter to restart). Under the
// sanitizers nothing may go wrong in memory; everywhere every fresh level
// must start with as many objects as the first, and the object list must
// stay within what one level can make.
//
// The same round of visits is played three times over, with the same seeds.
// The first round fills what the game keeps (texts, glyphs, pictures); the
// second and third then do exactly the same work, so the heap at the start
// of each visit must be the same in both: whatever a move leaves behind
// would show as growth.
#include "support/LevelFixture.h"

#include "hud/ItemSlots.h"
#include "leveldata/MapAnalysis.h"
#include "leveldata/MapLoader.h"
#include "leveldata/NodeType.h"
#include "rules/NodeState.h"
#include "screens/EndGameState.h"

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#ifdef __SANITIZE_ADDRESS__
// From the sanitizer runtime's allocator interface; GCC ships no header.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {
	const int TOTAL_MOVES = 10000;
	const int ROUNDS = 3;
	const int LONGEST_VISIT = 40;
	const int PURPOSEFUL_EVERY = 4;
	const int MS_PER_INPUT = 40;
	// What a level adds to its starting objects: a pulse from every decrypted
	// node, and the one floating text each node keeps.
	const int MOST_ADDED_PER_LEVEL = 2 * GRID_COLUMNS * GRID_ROWS;

#ifdef __SANITIZE_ADDRESS__
	// The sanitizer counts exactly the bytes the game holds.
	const long LARGEST_GROWTH = 0;
#else
	// glibc's per-thread cache keeps freed blocks that mallinfo2 still counts
	// as in use: a few KiB either way. Five bytes left behind by every move
	// come to more in a round.
	const long LARGEST_GROWTH = 16 * 1024;
#endif

	const int ENTER_KEY = 13;
	const int SPACE_KEY = 32;
	const int KEYPAD[] = {SDLK_KP_1, SDLK_KP_3, SDLK_KP_4, SDLK_KP_6, SDLK_KP_7, SDLK_KP_9};

	long HeapInUse()
	{
#ifdef __SANITIZE_ADDRESS__
		return static_cast<long>(__sanitizer_get_current_allocated_bytes());
#else
		const struct mallinfo2 info = mallinfo2();
		return static_cast<long>(info.uordblks + info.hblkhd);
#endif
	}

	// The level ends the program when a decryption finds nothing to head
	// for. The survey refuses maps where that can happen; should it happen
	// all the same, this says where.
	std::string playing;
	void SayWhereTheProgramEnded()
	{
		if(!playing.empty())
			fprintf(stderr, "The game ended the program while playing %s\n", playing.c_str());
	}

	// One shipped map as a DATA file of its own.
	struct ShippedMap {
		int line = 0;
		std::string dataText;
	};

	class ShippedMaps : public MapFileListener {
	public:
		void MapRead(int mapLine, std::unique_ptr<MapRecord> record) override
		{
			if(FindMapFaults(*record).empty())
				maps.push_back({mapLine, FormatMapRecord(*record)});
			else
				ADD_FAILURE() << "the shipped map at line " << mapLine << " cannot be played";
		}
		void UnknownLine(int, const std::string &) override {}
		void UnknownType(int, int, const std::string &) override {}
		void ShortRow(int, int) override {}
		void MapEndsEarly(int mapLine) override { ADD_FAILURE() << "the map at line " << mapLine << " is cut short"; }
		void StartOutsideGrid(int mapLine, GridPosition) override
		{
			ADD_FAILURE() << "the map at line " << mapLine << " starts outside the grid";
		}

		std::vector<ShippedMap> maps;
	};

	std::vector<ShippedMap> PlayableShippedMaps()
	{
		std::ifstream in(std::string(VEXARIFT_GAME_DIR) + "/DATA");
		ShippedMaps reader;
		ReadMapFile(in, reader);
		return reader.maps;
	}
}

class Endurance : public LevelFixture {
protected:
	void SetUp() override
	{
		LevelFixture::SetUp();
		std::atexit(SayWhereTheProgramEnded);
	}

	void TearDown() override
	{
		playing.clear();
		LevelFixture::TearDown();
	}

	// The map becomes the whole DATA, which Enter reads again: from the end
	// screen it starts a level, on the level it restarts it.
	void EnterLevel(const ShippedMap &map, unsigned seed)
	{
		std::ofstream("DATA", std::ios::trunc) << map.dataText;
		srand(seed);
		if(level)
			PressEnter();
		else
			StartLevel(map.dataText, seed);
	}

	void PressEnter()
	{
		Key(ENTER_KEY);
		Tick();
		level = dynamic_cast<LevelGameState *>(engine->GetCurrentState());
		ASSERT_NE(level, nullptr);
	}

	// Returns the moves made; the game may end before the limit.
	int PlayPurposefully(int moveLimit)
	{
		int moves = 0;
		while(moves < moveLimit && engine->GetCurrentState() == level && PurposefulMove())
		{
			++moves;
			TickAt(tick + MS_PER_INPUT);
		}
		NoteEnd();
		return moves;
	}

	// Reads the rules as a player who knows the map would, then clicks as
	// anyone does: items when the virus needs them, then whatever lies open,
	// decryptions before fights, the weakest fight first.
	bool PurposefulMove()
	{
		const LevelRules &rules = level->GetRules();
		const Virus &virus = rules.GetVirus();
		GridPosition weakest = {-1, -1};
		GridPosition open = {-1, -1};
		GridPosition encrypted = {-1, -1};
		for(int c = 0; c < GRID_COLUMNS; ++c)
			for(int r = 0; r < GRID_ROWS; ++r)
			{
				const NetworkNode &node = rules.At({c, r});
				if(node.IsTarget() && (weakest.column < 0 || node.GetCoherence() < rules.At(weakest).GetCoherence()))
					weakest = {c, r};
				else if(node.GetState() == REVEALED &&
					(node.GetType() == DATA_CACHE || (IsItem(node.GetType()) && rules.GetItems().HasFreeSlot())))
					open = {c, r};
				else if(node.GetState() == ENCRYPTED && (encrypted.column < 0 || !IsDefenseSubsystem(node.GetType())))
					encrypted = {c, r};
			}
		const ItemInventory &items = rules.GetItems();
		for(int slot = 0; slot < ItemSlots::SLOT_COUNT; ++slot)
		{
			const int item = items.ItemAt(slot);
			const bool aimed = item == ITEM_KERNEL_ROT || item == ITEM_SECONDARY_VECTOR;
			if((aimed && weakest.column >= 0) ||
				(item != EMPTY && !aimed && virus.coherence < Virus::STARTING_COHERENCE / 2))
			{
				ClickSlot(slot);
				if(aimed)
					Click(weakest.column, weakest.row);
				return true;
			}
		}
		for(const GridPosition p : {open, encrypted, weakest})
			if(p.column >= 0)
			{
				Click(p.column, p.row);
				return true;
			}
		return false;
	}

	// What a careless player might do next; every input counts as a move.
	void CarelessInput()
	{
		if(engine->GetCurrentState() != level)
		{
			PressEnter();
			return;
		}
		const int roll = Pick(100);
		if(roll < 2)
			Key(ENTER_KEY);
		else if(roll < 12)
			ClickSlot(Pick(ItemSlots::SLOT_COUNT), 1 + Pick(3));
		else if(roll < 17)
		{
			Key(KEYPAD[Pick(6)]);
			Key(SPACE_KEY);
		}
		else if(roll < 22)
			Click(Pick(GRID_COLUMNS), Pick(GRID_ROWS), 2 + Pick(2));
		else
			ClickOpenNode();
		MoveMouse(Pick(engine->width), Pick(engine->height));
		TickAt(tick + MS_PER_INPUT);
		NoteEnd();
	}

	// A node that is not hidden: one whose click may be a move.
	void ClickOpenNode()
	{
		std::vector<GridPosition> open;
		for(int c = 0; c < GRID_COLUMNS; ++c)
			for(int r = 0; r < GRID_ROWS; ++r)
				if(Node(c, r)->GetState() != HIDDEN && Node(c, r)->GetType() != EMPTY)
					open.push_back({c, r});
		if(open.empty())
			return;
		const GridPosition p = open[Pick(static_cast<int>(open.size()))];
		Click(p.column, p.row);
	}

	void NoteEnd()
	{
		largestObjects = std::max(largestObjects, engine->ObjectCount());
		const auto *end = dynamic_cast<const EndGameState *>(engine->GetCurrentState());
		if(end)
			++(end->IsWon() ? wins : losses);
	}

	int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }

	std::mt19937 random{1};
	int largestObjects = 0;
	int wins = 0;
	int losses = 0;
};

TEST_F(Endurance, TenThousandMovesOverEveryShippedMap)
{
	const std::vector<ShippedMap> maps = PlayableShippedMaps();
	ASSERT_FALSE(maps.empty());
	const int mapCount = static_cast<int>(maps.size());
	const int visitLength = std::max(1, std::min(LONGEST_VISIT, TOTAL_MOVES / (ROUNDS * mapCount)));
	const int movesPerRound = (TOTAL_MOVES + ROUNDS - 1) / ROUNDS;
	const int visitsPerRound = (movesPerRound + visitLength - 1) / visitLength;

	// Made full size first: the samples must not grow the heap they measure.
	std::vector<long> heapAtStart[ROUNDS];
	for(std::vector<long> &samples : heapAtStart)
		samples.reserve(visitsPerRound);
	std::vector<int> objectsAtStart;
	objectsAtStart.reserve(ROUNDS * visitsPerRound);
	for(int round = 0; round < ROUNDS; ++round)
	{
		random.seed(1);
		for(int visit = 0; visit < visitsPerRound; ++visit)
		{
			const ShippedMap &map = maps[visit % mapCount];
			playing = "the map at line " + std::to_string(map.line) + " (round " + std::to_string(round) + ", visit " +
				std::to_string(visit) + ")";
			EnterLevel(map, static_cast<unsigned>(visit + 1));
			ASSERT_FALSE(HasFatalFailure());
			objectsAtStart.push_back(engine->ObjectCount());
			heapAtStart[round].push_back(HeapInUse());

			const int purposeful = visit % PURPOSEFUL_EVERY == 0 ? PlayPurposefully(visitLength) : 0;
			for(int i = purposeful; i < visitLength; ++i)
				CarelessInput();
			ASSERT_FALSE(HasFatalFailure());
		}
	}
	playing.clear();

	long largestGrowth = 0;
	for(int visit = 0; visit < visitsPerRound; ++visit)
		largestGrowth = std::max(largestGrowth, heapAtStart[ROUNDS - 1][visit] - heapAtStart[ROUNDS - 2][visit]);
	const auto [fewest, most] = std::minmax_element(objectsAtStart.begin(), objectsAtStart.end());
	printf("%d rounds of %d visits of %d moves over %d maps: %d won, %d lost; objects: %d at every start, "
		   "at most %d; heap at a level's start: %ld KiB at the first, from %ld KiB in the first round to %ld KiB in "
		   "the last, %ld bytes more at most than in the round before\n",
		ROUNDS, visitsPerRound, visitLength, mapCount, wins, losses, *fewest, largestObjects,
		heapAtStart[0].front() / 1024, heapAtStart[0].back() / 1024, heapAtStart[ROUNDS - 1].back() / 1024,
		largestGrowth);

	EXPECT_EQ(*fewest, *most) << "fresh levels start with different numbers of objects";
	EXPECT_LE(largestObjects, *fewest + MOST_ADDED_PER_LEVEL);
	EXPECT_LE(largestGrowth, LARGEST_GROWTH) << "the heap grew from one round of the same moves to the next";
}
