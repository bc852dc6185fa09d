#ifndef VEXARIFT_LEVELDATA_MAPFILELISTENER_H
#define VEXARIFT_LEVELDATA_MAPFILELISTENER_H

#include "leveldata/MapRecord.h"

#include <memory>
#include <string>

// What the map file parser tells whoever reads a file. The game prints a few
// of these as its console lines; the map checker turns all of them into
// advice for the map's author. Keeping the parser quiet and the reporting
// here is what lets both share one parser.
//
// Line numbers count from 1 at the file's first line. mapLine is the line
// of the record's "MAP" line.
class MapFileListener {
public:
	virtual ~MapFileListener() = default;

	// A complete record whose start lies inside the grid.
	virtual void MapRead(int mapLine, std::unique_ptr<MapRecord> record) = 0;

	// A non-empty line outside a record that is not exactly "MAP".
	virtual void UnknownLine(int line, const std::string &text) = 0;
	// A word in a row line that names no node type; the position is EMPTY.
	virtual void UnknownType(int line, int column, const std::string &word) = 0;

	// The rest are the cases the file format leaves open. A short row reads
	// its missing positions as EMPTY and keeps the record; the two others
	// drop it, since there is nothing sensible to start the level from.
	virtual void ShortRow(int line, int wordCount) = 0;
	virtual void MapEndsEarly(int mapLine) = 0;
	virtual void StartOutsideGrid(int mapLine, GridPosition start) = 0;
};

#endif
