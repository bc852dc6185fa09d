#ifndef VEXARIFT_TOOLS_FUZZ_MAPFILEFUZZTARGET_H
#define VEXARIFT_TOOLS_FUZZ_MAPFILEFUZZTARGET_H

#include "leveldata/MapAnalysis.h"
#include "leveldata/MapLoader.h"

#include <algorithm>
#include <sstream>
#include <string>

// One fuzz input: parse it as a map file and analyse every record, checking
// what the rest of the game takes for granted about what the parser hands
// over. Returns the first broken promise, or an empty string. Shared by the
// fuzzer and the test that replays its corpus without one.
class MapFileFuzzTarget : public MapFileListener {
public:
	static std::string Run(const std::string &input)
	{
		MapFileFuzzTarget target(static_cast<int>(std::count(input.begin(), input.end(), '\n')) + 1);
		std::istringstream in(input);
		ReadMapFile(in, target);
		return target.failure;
	}

	void MapRead(int mapLine, std::unique_ptr<MapRecord> record) override
	{
		CheckMapLine(mapLine);
		if(!IsInsideGrid(record->startColumn, record->startRow))
			Fail("record kept with its start outside the grid");
		int nonEmpty = 0;
		for(int column = 0; column < GRID_COLUMNS; ++column)
		{
			for(int row = 0; row < GRID_ROWS; ++row)
			{
				NodeType type = record->TypeAt(column, row);
				if(type < EMPTY || type > DATA_CACHE)
					Fail("type out of range");
				nonEmpty += type != EMPTY;
			}
		}
		size_t partSizes = 0;
		for(const auto &part : FindNetworkParts(*record))
			partSizes += part.size();
		if(partSizes != static_cast<size_t>(nonEmpty))
			Fail("network parts do not cover the nodes exactly once");
		FindMapFaults(*record);
	}
	void UnknownLine(int line, const std::string &) override { CheckLine(line); }
	void UnknownType(int line, int column, const std::string &) override
	{
		CheckLine(line);
		if(column < 0 || column >= GRID_COLUMNS)
			Fail("unknown type reported outside the row");
	}
	void ShortRow(int line, int wordCount) override
	{
		CheckLine(line);
		if(wordCount < 0 || wordCount >= GRID_COLUMNS)
			Fail("short row with a full count");
	}
	void MapEndsEarly(int mapLine) override { CheckMapLine(mapLine); }
	void StartOutsideGrid(int mapLine, GridPosition start) override
	{
		CheckMapLine(mapLine);
		if(IsInsideGrid(start.column, start.row))
			Fail("record dropped with its start inside the grid");
	}

private:
	explicit MapFileFuzzTarget(int lineCount) : lineCount(lineCount) {}

	// Line reports come in file order and name lines that exist.
	void CheckLine(int line)
	{
		if(line < 1 || line > lineCount || line < lastLine)
			Fail("line " + std::to_string(line) + " out of order or out of the file");
		lastLine = line;
	}
	// A record's outcome names its "MAP" line, before the lines it read.
	void CheckMapLine(int mapLine)
	{
		if(mapLine < 1 || mapLine > lineCount || mapLine <= lastMapLine)
			Fail("map line " + std::to_string(mapLine) + " out of order or out of the file");
		lastMapLine = mapLine;
	}
	void Fail(const std::string &what)
	{
		if(failure.empty())
			failure = what;
	}

	int lineCount;
	int lastLine = 0;
	int lastMapLine = 0;
	std::string failure;
};

#endif
