// Ten thousand moves through the level's own hooks, spread over every map
// of the shipped DATA, visited in turn: scripted games that fight and use
// their items, and the inputs of a careless player (any node, any button,
// item slots and their targets, the keypad, Enter to restart). Under the
// sanitizers nothing may go wrong in memory; everywhere a fresh level must
// start with as many objects as the first one, the object list must stay
// within what one level can make, and the heap must stop growing once every
// map has been played.
#include "support/LevelFixture.h"

#include "hud/ItemSlots.h"
#include "leveldata/NodeType.h"
#include "play/NodeState.h"
#include "screens/EndGameState.h"
#include "tools/player/MapSurvey.h"
#include "tools/player/ScriptedPlayer.h"

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
	const int LONGEST_VISIT = 40;
	// Every map is visited at least this often: the first half of the cycles
	// warms up, the second half shows whether the heap still grows.
	const int LEAST_CYCLES = 4;
	// One visit in this many is a scripted game.
	const int SCRIPTED_EVERY = 4;
	const int MS_PER_INPUT = 40;
	const int NODES = kGridColumns * kGridRows;
	// What a level adds to its starting objects: a pulse from every decrypted
	// node, and the one floating text each node keeps.
	const int MOST_ADDED_PER_LEVEL = 2 * NODES;
	// Glyph caches and spare room in vectors keep growing a little, ever more
	// slowly; anything a move leaves behind is larger than this.
	const double MOST_GROWTH_PER_MOVE = 8;

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

	struct Tally {
		int wins = 0;
		int losses = 0;
		int restarts = 0;
		int scriptedMoves = 0;
	};
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
	void EnterLevel(const SurveyedMap &map, unsigned seed)
	{
		std::ofstream("DATA", std::ios::trunc) << map.dataText;
		if(!level)
		{
			StartLevel(map.dataText, seed);
			return;
		}
		srand(seed);
		PressEnter();
	}

	void PressEnter()
	{
		Key(ENTER_KEY);
		Tick();
		level = dynamic_cast<LevelGameState *>(engine->GetCurrentState());
		ASSERT_NE(level, nullptr);
	}

	void CheckFreshLevel()
	{
		if(freshObjects < 0)
			freshObjects = engine->ObjectCount();
		if(engine->ObjectCount() != freshObjects && !objectsDiffered)
		{
			objectsDiffered = true;
			ADD_FAILURE() << playing << " starts with " << engine->ObjectCount() << " objects, the first level with "
				<< freshObjects;
		}
	}

	// Returns the moves made; the game may end before the limit.
	int PlayScripted(int moveLimit)
	{
		ScriptedPlayer player(engine.get(), level);
		const int moves = player.Play(moveLimit).moves;
		tally.scriptedMoves += moves;
		TickAt(tick + MS_PER_INPUT);
		NoteEnd();
		return moves;
	}

	// What a careless player might do next; every input counts as a move.
	void CarelessInput()
	{
		if(!IsLevelCurrent())
		{
			PressEnter();
			return;
		}
		const int roll = Pick(100);
		if(roll < 2)
		{
			++tally.restarts;
			Key(ENTER_KEY);
		}
		else if(roll < 12)
			ClickSlot(Pick(ItemSlots::SLOT_COUNT), 1 + Pick(3));
		else if(roll < 17)
		{
			Key(KEYPAD[Pick(6)]);
			Key(SPACE_KEY);
		}
		else if(roll < 22)
			ClickAnyNode(2 + Pick(2));
		else
			ClickPlayableNode();
		MoveMouse(Pick(engine->width), Pick(engine->height));
		TickAt(tick + MS_PER_INPUT);
		NoteEnd();
	}

	void ClickAnyNode(int button)
	{
		Click(Pick(kGridColumns), Pick(kGridRows), button);
	}

	// A node that is not hidden: one whose click may be a move.
	void ClickPlayableNode()
	{
		std::vector<NodeObject *> open;
		for(int c = 0; c < kGridColumns; ++c)
			for(int r = 0; r < kGridRows; ++r)
				if(Node(c, r)->GetState() != HIDDEN && Node(c, r)->GetType() != EMPTY)
					open.push_back(Node(c, r));
		if(open.empty())
			return;
		const NodeObject *node = open[Pick(static_cast<int>(open.size()))];
		engine->MouseDown(1, node->x, node->y);
	}

	bool IsLevelCurrent() const
	{
		return engine->GetCurrentState() == level;
	}

	void NoteEnd()
	{
		largestObjects = std::max(largestObjects, engine->ObjectCount());
		if(IsLevelCurrent())
			return;
		const auto *end = dynamic_cast<const EndGameState *>(engine->GetCurrentState());
		ASSERT_NE(end, nullptr);
		++(end->IsWon() ? tally.wins : tally.losses);
	}

	int Pick(int count)
	{
		return std::uniform_int_distribution<int>(0, count - 1)(random);
	}

	std::mt19937 random{1};
	Tally tally;
	int freshObjects = -1;
	bool objectsDiffered = false;
	int largestObjects = 0;
};

TEST_F(Endurance, TenThousandMovesOverEveryShippedMap)
{
	std::ifstream in(std::string(VEXARIFT_GAME_DIR) + "/DATA");
	ASSERT_TRUE(in) << "no DATA in the run folder";
	std::ostringstream text;
	text << in.rdbuf();
	const MapSurvey survey(text.str());
	std::vector<SurveyedMap> maps;
	for(const SurveyedMap &map : survey.Maps())
	{
		if(map.refusal.empty())
			maps.push_back(map);
		else
			ADD_FAILURE() << "the shipped map at line " << map.line << " cannot be played: " << map.refusal;
	}
	ASSERT_FALSE(maps.empty());

	const int mapCount = static_cast<int>(maps.size());
	const int visitLength = std::max(1, std::min(LONGEST_VISIT, TOTAL_MOVES / (LEAST_CYCLES * mapCount)));
	std::vector<long> heapAtStart;
	int moves = 0;
	for(int visit = 0; moves < TOTAL_MOVES; ++visit)
	{
		const SurveyedMap &map = maps[visit % mapCount];
		playing = "the map at line " + std::to_string(map.line) + " (visit " + std::to_string(visit) + ")";
		EnterLevel(map, static_cast<unsigned>(visit + 1));
		ASSERT_FALSE(HasFatalFailure());
		CheckFreshLevel();
		heapAtStart.push_back(HeapInUse());

		const int length = std::min(visitLength, TOTAL_MOVES - moves);
		const int scripted = visit % SCRIPTED_EVERY == 0 ? PlayScripted(length) : 0;
		for(int i = scripted; i < length; ++i)
			CarelessInput();
		ASSERT_FALSE(HasFatalFailure());
		moves += length;
	}
	playing.clear();

	const int visits = static_cast<int>(heapAtStart.size());
	const int cycles = visits / mapCount;
	ASSERT_GE(cycles, LEAST_CYCLES);
	// Each map against itself, at the start of a visit in the middle cycle and
	// in the last one.
	const int middle = cycles / 2;
	long growth = 0;
	for(int i = 0; i < mapCount; ++i)
		growth += heapAtStart[(cycles - 1) * mapCount + i] - heapAtStart[middle * mapCount + i];
	const double movesBetween = static_cast<double>(cycles - 1 - middle) * mapCount * visitLength;
	const double growthPerMove = static_cast<double>(growth) / mapCount / movesBetween;
	printf("%d moves over %d maps, %d visits of up to %d moves (%d cycles): %d won, %d lost, %d restarts, "
		"%d moves by the scripted player\n",
		moves, mapCount, visits, visitLength, cycles, tally.wins, tally.losses, tally.restarts, tally.scriptedMoves);
	printf("objects: %d at a level's start, at most %d\n", freshObjects, largestObjects);
	printf("heap at a level's start: %ld KiB at the first, %ld KiB in the middle cycle, %ld KiB in the last; "
		"%.2f bytes more per move over the second half\n",
		heapAtStart.front() / 1024, heapAtStart[middle * mapCount] / 1024, heapAtStart[(cycles - 1) * mapCount] / 1024,
		growthPerMove);

	EXPECT_LE(largestObjects, freshObjects + MOST_ADDED_PER_LEVEL);
	EXPECT_LE(growthPerMove, MOST_GROWTH_PER_MOVE);
}
