// Recorded play: whole games on the shipped maps, replayed through the
// engine's hooks at a fixed seed, must print the same console lines and end
// on the same frame as when they were recorded. The replay reads nothing but
// standard output, standard error and the frame surface, so the rules of a
// move can be rebuilt underneath it; any change in what a player sees or
// reads, or in the order the game draws from rand(), shows up here.
//
// recorded-play.txt beside this file holds each case: the game's seed, the
// DATA it plays, its inputs, and what it printed and drew. An input is one of
//   move X Y        mouse motion to the window pixel (X, Y)
//   down B X Y      button B pressed at (X, Y)
//   key K           key K pressed (13 Enter, 32 Space, the rest keypad keys)
//   tick D          a loop pass D ms after the last one: the engine's tick if
//                   one is due (none for D = 0), then the redraw
// The "Last run:" line carries the time of the case before, so its time
// stamp is replaced by a placeholder; nothing else is touched.
//
// To record again (the game really changed, or the plans below did), from
// build/game:
//   VEXARIFT_RECORD_PLAY=../../tests/play/recorded-play.txt ../tests/vexarift_tests --gtest_filter='RecordedPlay.*'
// The generator plays each plan with its own fixed stream of choices, so the
// same game records the same file; record to another path and diff to see
// what a change moved.
#include "support/LevelFixture.h"
#include "support/PixelSurface.h"

#include "hud/ItemSlots.h"
#include "leveldata/NodeType.h"
#include "rules/NodeState.h"
#include "screens/EndGameState.h"

#include <SDL.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

namespace {
	const char *const RECORD_FILE = VEXARIFT_TEST_SOURCE_DIR "/play/recorded-play.txt";
	const char *const SHIPPED_DATA = VEXARIFT_GAME_DIR "/DATA";
	const char *const LAST_RUN_PREFIX = "Last run:";
	const char *const LAST_RUN_PLACEHOLDER = "Last run: (time of the run before)";

	const int LEFT = 1;
	const int RIGHT = 3;
	const int ENTER = 13;
	const int SPACE = 32;
	const int KEYPAD[] = {SDLK_KP_1, SDLK_KP_3, SDLK_KP_4, SDLK_KP_6, SDLK_KP_7, SDLK_KP_9};
	// Mostly single ticks; passes with no tick due; now and then a stall
	// long enough for the pulses to finish their 500 ms legs.
	const unsigned PASS_LENGTHS[] = {10, 10, 10, 10, 0, 5, 20, 40, 90, 250, 600};
	// Within a node's 64-pixel tile wherever the click lands.
	const int CLICK_SPREAD = 10;
	// The black panel under the grid, right of the item slots.
	const int PANEL_LEFT = 700;
	const int PANEL_TOP = 590;
	const int PANEL_WIDTH = 570;
	const int PANEL_HEIGHT = 125;
	const int SLOT_EXTENT = 51;
	const size_t MAX_INPUTS = 290;
	const size_t MOVES_AFTER_END = 12;

	// A case to record: maps by their place in the shipped DATA, from 1.
	struct Plan {
		unsigned seed;
		std::vector<int> maps;
		bool careful;
		bool restart;
	};
	// The first twelve maps are the authored ones, the rest generated. A
	// careful player explores and arms before it fights; a reckless one
	// attacks whatever it finds, which loses most levels.
	const Plan PLANS[] = {
		{101, {1}, true, false},
		{102, {2}, false, false},
		{103, {3}, true, true},
		{104, {4}, false, false},
		{105, {5}, true, false},
		{106, {6}, true, true},
		{107, {7}, false, true},
		{108, {8}, true, false},
		{109, {9}, false, false},
		{110, {10}, true, false},
		{111, {11}, true, true},
		{112, {12}, false, false},
		{113, {15, 40}, true, false},
		{114, {23, 47}, false, true},
		{115, {3, 38, 59}, true, true},
		{116, {51}, false, false},
	};

	struct Recording {
		std::string title;
		unsigned seed = 0;
		std::vector<std::string> data;
		std::vector<std::string> inputs;
		std::vector<std::string> out;
		std::vector<std::string> err;
		std::string frame;
	};

	std::vector<std::string> Lines(const std::string &text)
	{
		std::vector<std::string> lines;
		std::istringstream in(text);
		for(std::string line; std::getline(in, line);)
			lines.push_back(line);
		return lines;
	}

	std::string Rest(const std::string &line, const std::string &word)
	{
		return line.size() > word.size() ? line.substr(word.size() + 1) : "";
	}

	std::vector<Recording> ReadRecordings()
	{
		std::vector<Recording> recordings;
		std::ifstream in(RECORD_FILE);
		for(std::string line; std::getline(in, line);)
		{
			const std::string word = line.substr(0, line.find(' '));
			if(line.empty() || line[0] == '#')
				continue;
			if(word == "case")
			{
				recordings.emplace_back();
				recordings.back().title = Rest(line, word);
			}
			else if(recordings.empty())
				ADD_FAILURE() << "line before the first case: " << line;
			else if(word == "seed")
				recordings.back().seed = std::stoul(Rest(line, word));
			else if(word == "data")
				recordings.back().data.push_back(Rest(line, word));
			else if(word == "out")
				recordings.back().out.push_back(Rest(line, word));
			else if(word == "err")
				recordings.back().err.push_back(Rest(line, word));
			else if(word == "frame")
				recordings.back().frame = Rest(line, word);
			else if(word == "tick" || word == "move" || word == "down" || word == "key")
				recordings.back().inputs.push_back(line);
			else
				ADD_FAILURE() << "unknown line in " << RECORD_FILE << ": " << line;
		}
		return recordings;
	}

	void WriteRecordings(const std::string &path, const std::vector<Recording> &recordings)
	{
		std::ofstream out(path, std::ios::trunc);
		out << "# Recorded play, checked by RecordedPlayTest.cpp; see there how to record it again.\n";
		for(const Recording &r : recordings)
		{
			out << "\ncase " << r.title << "\nseed " << r.seed << '\n';
			for(const std::string &line : r.data)
				out << "data " << line << '\n';
			for(const std::string &input : r.inputs)
				out << input << '\n';
			for(const std::string &line : r.out)
				out << "out " << line << '\n';
			for(const std::string &line : r.err)
				out << "err " << line << '\n';
			out << "frame " << r.frame << '\n';
		}
	}

	// The maps of DATA as their lines, a MAP line and the eleven after it.
	std::vector<std::vector<std::string>> ShippedMaps()
	{
		std::ifstream in(SHIPPED_DATA);
		const std::vector<std::string> lines = Lines(std::string(std::istreambuf_iterator<char>(in), {}));
		std::vector<std::vector<std::string>> maps;
		for(size_t i = 0; i + 12 <= lines.size(); ++i)
			if(lines[i] == "MAP")
				maps.emplace_back(lines.begin() + i, lines.begin() + i + 12);
		return maps;
	}

	std::string Quoted(const std::vector<std::string> &lines, size_t index)
	{
		return index < lines.size() ? "\"" + lines[index] + "\"" : "(no line)";
	}

	void ExpectSameLines(const std::string &title, const char *stream, const std::vector<std::string> &recorded,
		const std::vector<std::string> &played)
	{
		for(size_t i = 0; i < std::max(recorded.size(), played.size()); ++i)
			if(i >= recorded.size() || i >= played.size() || recorded[i] != played[i])
			{
				ADD_FAILURE() << "case " << title << ": " << stream << " line " << i + 1 << " is " << Quoted(played, i)
							  << ", recorded " << Quoted(recorded, i) << " (" << played.size() << " lines, recorded "
							  << recorded.size() << ")";
				return;
			}
	}

	bool IsTarget(const NodeObject *node)
	{
		return node->GetState() == REVEALED && IsFighter(node->GetType());
	}
}

class RecordedPlay : public LevelFixture {
protected:
	// Plays the recording's inputs on a fresh engine and gives what it
	// printed and drew; with frames given, also each frame a pass drew.
	Recording Replay(const Recording &recorded, bool changesOnly = true, std::vector<size_t> *frames = nullptr)
	{
		Recording played = recorded;
		Begin(played, changesOnly);
		for(const std::string &input : played.inputs)
		{
			Apply(input);
			if(frames && input.rfind("tick", 0) == 0)
				frames->push_back(FrameDigest());
		}
		Finish(played);
		return played;
	}

	Recording Record(const Plan &plan)
	{
		const std::vector<std::vector<std::string>> maps = ShippedMaps();
		Recording recording;
		recording.seed = plan.seed;
		std::string names;
		for(int index : plan.maps)
		{
			recording.data.insert(recording.data.end(), maps.at(index - 1).begin(), maps.at(index - 1).end());
			names += " " + std::to_string(index);
		}
		inputs = &recording.inputs;
		choices.seed(plan.seed);
		Begin(recording);
		const std::string outcome = Play(plan);
		Finish(recording);
		recording.title = "maps" + names + ", " + (plan.careful ? "careful" : "reckless") + ", " + outcome;
		return recording;
	}

private:
	void Begin(const Recording &recording, bool changesOnly = true)
	{
		testing::internal::CaptureStdout();
		testing::internal::CaptureStderr();
		// Every case starts as the program does: no fonts open, no time stamp.
		engine.reset();
		std::remove("LastRun");
		engine = std::make_unique<TestEngine>();
		engine->redrawChangesOnly = changesOnly;
		tick = 0;
		std::string data;
		for(const std::string &line : recording.data)
			data += line + "\n";
		StartLevel(data, recording.seed);
	}

	void Finish(Recording &recording)
	{
		char hash[17];
		snprintf(hash, sizeof(hash), "%016" PRIx64, SurfaceHash(engine->frameSurface));
		recording.frame = hash;
		// The fonts are freed with the engine, and say so.
		engine.reset();
		recording.out = Lines(testing::internal::GetCapturedStdout());
		recording.err = Lines(testing::internal::GetCapturedStderr());
		for(std::string &line : recording.out)
			if(line.rfind(LAST_RUN_PREFIX, 0) == 0)
				line = LAST_RUN_PLACEHOLDER;
	}

	// Quicker than the byte-wise hash, for the thousands of frames compared.
	size_t FrameDigest() const
	{
		const SDL_Surface *frame = engine->frameSurface;
		return std::hash<std::string_view>()(
			std::string_view(static_cast<const char *>(frame->pixels), static_cast<size_t>(frame->pitch) * frame->h));
	}

	void Apply(const std::string &input)
	{
		std::istringstream words(input);
		std::string verb;
		int a = 0;
		int b = 0;
		int c = 0;
		words >> verb >> a >> b >> c;
		if(verb == "tick")
			TickAt(tick + a);
		else if(verb == "move")
			engine->MouseMoved(a, b);
		else if(verb == "down")
			engine->MouseDown(a, b, c);
		else if(verb == "key")
			engine->KeyDown(a);
	}

	// What follows chooses the inputs while recording. It looks at the level
	// only through what stays when the rules move: the nodes' states, types
	// and places, the item slots and the current screen.

	void Emit(const std::string &input)
	{
		inputs->push_back(input);
		Apply(input);
	}

	unsigned Choose(size_t count) { return static_cast<unsigned>(choices() % count); }

	template<typename T> T Pick(const std::vector<T> &from) { return from[Choose(from.size())]; }

	int Spread() { return static_cast<int>(Choose(2 * CLICK_SPREAD + 1)) - CLICK_SPREAD; }

	void Pass() { Emit("tick " + std::to_string(PASS_LENGTHS[Choose(std::size(PASS_LENGTHS))])); }

	void Down(int button, int x, int y)
	{
		Emit("down " + std::to_string(button) + " " + std::to_string(x) + " " + std::to_string(y));
	}

	void Move(int x, int y) { Emit("move " + std::to_string(x) + " " + std::to_string(y)); }

	void Key(int key) { Emit("key " + std::to_string(key)); }

	void ClickOn(const NodeObject *node, int button = LEFT) { Down(button, node->x + Spread(), node->y + Spread()); }

	void ClickSlot(int slot)
	{
		const ItemSlots *slots = Playing()->GetItemSlots();
		Down(Choose(2) ? LEFT : RIGHT, slots->SlotX(slot) + Choose(SLOT_EXTENT),
			slots->SlotY(slot) + Choose(SLOT_EXTENT));
	}

	LevelGameState *Playing() const { return dynamic_cast<LevelGameState *>(engine->GetCurrentState()); }

	std::vector<const NodeObject *> NodesWhere(const std::function<bool(const NodeObject *)> &test) const
	{
		std::vector<const NodeObject *> found;
		for(int c = 0; c < GRID_COLUMNS; ++c)
			for(int r = 0; r < GRID_ROWS; ++r)
				if(test(Playing()->NodeAt(c, r)))
					found.push_back(Playing()->NodeAt(c, r));
		return found;
	}

	std::vector<int> SlotsWhere(const std::function<bool(int)> &test) const
	{
		std::vector<int> found;
		for(int slot = 0; slot < ItemSlots::SLOT_COUNT; ++slot)
			if(test(Playing()->GetItemSlots()->ItemAt(slot)))
				found.push_back(slot);
		return found;
	}

	// Plays the plan's length at least, and on until the first level has
	// ended and a few moves of a later one are played, within a limit. Says
	// how each level ended.
	std::string Play(const Plan &plan)
	{
		const size_t length = 120 + Choose(100);
		size_t restartAt = plan.restart ? 20 + Choose(50) : MAX_INPUTS;
		std::string outcomes;
		size_t movesSinceEnd = 0;
		while(inputs->size() < MAX_INPUTS &&
			(inputs->size() < length || outcomes.empty() || movesSinceEnd < MOVES_AFTER_END))
		{
			if(inputs->size() >= restartAt)
			{
				Key(ENTER);
				restartAt = MAX_INPUTS;
			}
			PlayMove(plan.careful);
			++movesSinceEnd;
			for(unsigned passes = Choose(3); passes > 0; --passes)
				Pass();
			if(const EndGameState *end = dynamic_cast<EndGameState *>(engine->GetCurrentState()))
			{
				outcomes += std::string(outcomes.empty() ? "" : " then ") + (end->IsWon() ? "won" : "lost");
				LeaveTheEndScreen();
				movesSinceEnd = 0;
			}
		}
		Emit("tick 10");
		return outcomes.empty() ? "unfinished" : outcomes;
	}

	// The end screen takes no clicks, motion or Space; Enter starts anew.
	void LeaveTheEndScreen()
	{
		Pass();
		Down(LEFT, engine->width / 2, engine->height / 2);
		Move(Choose(engine->width), Choose(engine->height));
		Key(SPACE);
		Pass();
		Key(ENTER);
		Emit("tick 10");
	}

	// One move or gesture of a player, chosen by weight from what the level
	// offers now.
	void PlayMove(bool careful)
	{
		if(!Playing())
			return;
		const auto encrypted = NodesWhere([](const NodeObject *n) { return n->GetState() == ENCRYPTED; });
		const auto blocked = NodesWhere([](const NodeObject *n) { return n->GetState() == BLOCKED; });
		const auto hidden = NodesWhere([](const NodeObject *n) { return n->GetState() == HIDDEN; });
		const auto targets = NodesWhere(IsTarget);
		const auto cores = NodesWhere([](const NodeObject *n) { return IsTarget(n) && n->GetType() == SYSTEM_CORE; });
		const auto items =
			NodesWhere([](const NodeObject *n) { return n->GetState() == REVEALED && IsItem(n->GetType()); });
		const auto caches =
			NodesWhere([](const NodeObject *n) { return n->GetState() == REVEALED && n->GetType() == DATA_CACHE; });
		const auto held = SlotsWhere([](int type) { return IsItem(type); });
		const auto empty = SlotsWhere([](int item) { return item == 0; });

		// A careful player fights the core once it shows, or when nothing is
		// left to decrypt; a reckless one fights all the time.
		const int attack = careful ? (!cores.empty() ? 60 : encrypted.empty() ? 40 : 4) : 40;
		const std::pair<int, std::function<void()>> moves[] = {
			{encrypted.empty() ? 0 : 40, [&] { ClickOn(Pick(encrypted)); }},
			{encrypted.empty() ? 0 : 8, [&] { DecryptWithSpace(Pick(encrypted)); }},
			{targets.empty() ? 0 : attack, [&] { ClickOn(careful && !cores.empty() ? cores[0] : Pick(targets)); }},
			{items.empty() ? 0 : 25, [&] { ClickOn(Pick(items)); }},
			{caches.empty() ? 0 : 20, [&] { ClickOn(Pick(caches)); }},
			{held.empty()     ? 0
					: careful ? 25
							  : 10,
				[&] { UseItem(Pick(held), targets, cores); }},
			{blocked.empty() ? 0 : 3, [&] { ClickOn(Pick(blocked)); }},
			{hidden.empty() ? 0 : 2, [&] { ClickOn(Pick(hidden)); }},
			{empty.empty() ? 0 : 2, [&] { ClickSlot(Pick(empty)); }},
			{2,
				[&] {
					Down(Choose(2) ? LEFT : RIGHT, PANEL_LEFT + Choose(PANEL_WIDTH), PANEL_TOP + Choose(PANEL_HEIGHT));
				}},
			{targets.empty() ? 0 : 2, [&] { ClickOn(Pick(targets), RIGHT); }},
			{8, [&] { Hover(); }},
			{6, [&] { Key(KEYPAD[Choose(std::size(KEYPAD))]); }},
			{2, [&] { Key(SPACE); }},
		};
		int total = 0;
		for(const auto &move : moves)
			total += move.first;
		int roll = static_cast<int>(Choose(total));
		for(const auto &move : moves)
		{
			if(roll < move.first)
			{
				move.second();
				return;
			}
			roll -= move.first;
		}
	}

	void DecryptWithSpace(const NodeObject *node)
	{
		Move(node->x + Spread(), node->y + Spread());
		if(Choose(2))
			Pass();
		Key(SPACE);
	}

	// Onto a node, or anywhere in the window: the slots and the panel too.
	void Hover()
	{
		if(Choose(2))
		{
			const NodeObject *node = Playing()->NodeAt(Choose(GRID_COLUMNS), Choose(GRID_ROWS));
			Move(node->x + Spread(), node->y + Spread());
		}
		else
			Move(Choose(engine->width), Choose(engine->height));
	}

	// Self Repair and the shield act at once; Kernel Rot and the Secondary
	// Vector wait for a target, preferably the core. With no target in
	// sight the next move drops the choice.
	void UseItem(int slot, const std::vector<const NodeObject *> &targets, const std::vector<const NodeObject *> &cores)
	{
		const int item = Playing()->GetItemSlots()->ItemAt(slot);
		ClickSlot(slot);
		if(item != ITEM_KERNEL_ROT && item != ITEM_SECONDARY_VECTOR)
			return;
		if(Choose(2))
			Pass();
		if(!cores.empty() && Choose(2))
			ClickOn(cores[0]);
		else if(!targets.empty())
			ClickOn(Pick(targets));
	}

	std::mt19937 choices;
	// Borrowed: the recording being made.
	std::vector<std::string> *inputs = nullptr;
};

TEST_F(RecordedPlay, ConsoleAndFinalFrameAreAsRecorded)
{
	if(const char *path = getenv("VEXARIFT_RECORD_PLAY"))
	{
		std::vector<Recording> recordings;
		for(const Plan &plan : PLANS)
		{
			const Recording played = Record(plan);
			const Recording replayed = Replay(played);
			ASSERT_EQ(replayed.out, played.out) << played.title << ": the replay does not print what the play did";
			ASSERT_EQ(replayed.err, played.err) << played.title;
			ASSERT_EQ(replayed.frame, played.frame) << played.title;
			recordings.push_back(played);
			recordings.back().title = std::to_string(recordings.size()) + ": " + played.title;
			printf("recorded case %s, %zu inputs\n", recordings.back().title.c_str(), played.inputs.size());
		}
		// The test runs in a folder of its own; a relative path means the
		// folder it was started from.
		WriteRecordings(path[0] == '/' ? path : previousDirectory + "/" + path, recordings);
		return;
	}
	const std::vector<Recording> recordings = ReadRecordings();
	ASSERT_FALSE(recordings.empty()) << "nothing recorded in " << RECORD_FILE;
	for(const Recording &recorded : recordings)
	{
		const Recording played = Replay(recorded);
		ExpectSameLines(recorded.title, "standard output", recorded.out, played.out);
		ExpectSameLines(recorded.title, "standard error", recorded.err, played.err);
		if(played.frame != recorded.frame)
			ADD_FAILURE() << "case " << recorded.title << ": the final frame hashes to " << played.frame
						  << ", recorded " << recorded.frame;
	}
}

// The redraw repaints only around what changed; every frame of every case
// must come out as repainting every object leaves it.
TEST_F(RecordedPlay, EachFrameIsAsARepaintOfEveryObject)
{
	const std::vector<Recording> recordings = ReadRecordings();
	ASSERT_FALSE(recordings.empty());
	for(const Recording &recorded : recordings)
	{
		std::vector<size_t> everyObject;
		std::vector<size_t> changesOnly;
		Replay(recorded, false, &everyObject);
		Replay(recorded, true, &changesOnly);
		ASSERT_EQ(changesOnly.size(), everyObject.size());
		const auto differs = std::mismatch(changesOnly.begin(), changesOnly.end(), everyObject.begin());
		if(differs.first != changesOnly.end())
			ADD_FAILURE() << "case " << recorded.title << ": pass " << differs.first - changesOnly.begin() + 1 << " of "
						  << changesOnly.size() << " draws another frame";
	}
}
