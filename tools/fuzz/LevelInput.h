#ifndef VEXARIFT_TOOLS_FUZZ_LEVELINPUT_H
#define VEXARIFT_TOOLS_FUZZ_LEVELINPUT_H

#include "leveldata/MapLoader.h"
#include "leveldata/MapRecord.h"

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

// What a player does to one level, decoded from a fuzzer's bytes, so the
// rules fuzzer and the level-screen fuzzer read the same inputs:
//   byte 0, even: a shipped map (byte 1 picks it), changed at up to seven
//     positions (byte 2 counts them, two bytes each: position, type);
//   byte 0, odd: a map built from bytes, one type for each of the 90
//     positions in column order, then the start column and row;
//   four bytes of random seed;
//   then moves until the input ends: a click on a grid position (on or off
//   the network), the use of a slot (from -1 to 3, so also no slot), or a
//   restart of the level.
// Every byte string decodes: a missing byte reads as 0. The level-screen
// fuzzer reads the same map and seed, and the moves as SDL events.
struct LevelInput {
	enum class MoveKind {
		CLICK,
		SLOT,
		RESTART
	};
	struct Move {
		MoveKind kind;
		GridPosition at;
		int slot;
	};

	static constexpr int MAX_MUTATIONS = 7;
	static constexpr int TYPE_COUNT = DATA_CACHE + 1;
	static constexpr int SLOT_CHOICES = 5;
	static constexpr size_t MAX_MOVES = 4000;

	MapRecord map;
	uint32_t seed = 0;
	std::vector<Move> moves;

	// The fuzzer's bytes, read one at a time.
	struct Reader {
		const uint8_t *data;
		size_t size;
		size_t at = 0;
		int Next() { return at < size ? data[at++] : 0; }
		bool AtEnd() const { return at >= size; }
	};

	static LevelInput Decode(const uint8_t *data, size_t size, const std::vector<MapRecord> &shipped)
	{
		Reader in{data, size};
		LevelInput input = DecodeLevel(in, shipped);
		while(!in.AtEnd() && input.moves.size() < MAX_MOVES)
			input.moves.push_back(NextMove(in));
		return input;
	}

	// The map and the seed alone, for a fuzzer that reads what follows its
	// own way.
	static LevelInput DecodeLevel(Reader &in, const std::vector<MapRecord> &shipped)
	{
		LevelInput input;
		if(in.Next() % 2 == 0 && !shipped.empty())
			input.map = Mutated(in, shipped[in.Next() % shipped.size()]);
		else
			input.map = Built(in);
		for(int i = 0; i < 4; ++i)
			input.seed = input.seed << 8 | in.Next();
		return input;
	}

	static GridPosition PositionOf(int byte)
	{
		const int index = byte % (GRID_COLUMNS * GRID_ROWS);
		return {index / GRID_ROWS, index % GRID_ROWS};
	}

	// The maps of the DATA file the game ships.
	static std::vector<MapRecord> ReadShippedMaps(const std::string &path)
	{
		struct Keeper : MapFileListener {
			void MapRead(int, std::unique_ptr<MapRecord> record) override { maps.push_back(*record); }
			void UnknownLine(int, const std::string &) override {}
			void UnknownType(int, int, const std::string &) override {}
			void ShortRow(int, int) override {}
			void MapEndsEarly(int) override {}
			void StartOutsideGrid(int, GridPosition) override {}
			std::vector<MapRecord> maps;
		} keeper;
		std::ifstream in(path);
		ReadMapFile(in, keeper);
		return keeper.maps;
	}

private:
	static MapRecord Mutated(Reader &in, MapRecord map)
	{
		const int count = in.Next() % (MAX_MUTATIONS + 1);
		for(int i = 0; i < count; ++i)
		{
			const GridPosition at = PositionOf(in.Next());
			map.types[at.column][at.row] = static_cast<NodeType>(in.Next() % TYPE_COUNT);
		}
		return map;
	}

	static MapRecord Built(Reader &in)
	{
		MapRecord map;
		for(auto &column : map.types)
			for(NodeType &type : column)
				type = static_cast<NodeType>(in.Next() % TYPE_COUNT);
		map.startColumn = in.Next() % GRID_COLUMNS;
		map.startRow = in.Next() % GRID_ROWS;
		return map;
	}

	static Move NextMove(Reader &in)
	{
		const int kind = in.Next() % 8;
		if(kind < 6)
			return {MoveKind::CLICK, PositionOf(in.Next()), -1};
		if(kind == 6)
			return {MoveKind::SLOT, {0, 0}, in.Next() % SLOT_CHOICES - 1};
		return {MoveKind::RESTART, {0, 0}, -1};
	}
};

#endif
