#ifndef VEXARIFT_LEVELDATA_MAPLOADER_H
#define VEXARIFT_LEVELDATA_MAPLOADER_H

#include "leveldata/MapFileListener.h"
#include "leveldata/MapRecord.h"
#include "leveldata/NodeType.h"

#include <istream>
#include <memory>
#include <string>
#include <vector>

// Reading the DATA file of maps and the LastRun time stamp.
//
// A line ends at a line feed, with a carriage return before it counted as
// part of the line end, so files written on either platform read the same.
// Outside a record only the exact line "MAP" matters; inside a record the
// next eleven lines are taken as they come, even one reading "MAP".

// Every delimiter ends a word, so doubled delimiters give empty words; a
// delimiter at the very end adds none, and an empty line gives no words.
std::vector<std::string> SplitString(const std::string &line, char delimiter);

// The keyword lookup without a message, for callers that report for
// themselves. False when the word, compared exactly, is no keyword.
bool FindNodeType(const std::string &word, NodeType &type);

// The word that stands for the type in DATA.
const char *NodeTypeKeyword(NodeType type);

// The record as DATA holds it: the "MAP" line, nine rows of ten keywords,
// the start column and row, each line ending in a line feed.
std::string FormatMapRecord(const MapRecord &record);

// The keyword's type, or EMPTY after "Unknown type: ..." on stderr.
NodeType ParseNodeType(const std::string &word);

// Reads the eleven lines after a "MAP" line: nine rows of ten words, then
// the start column and start row. Null when the record is dropped (cut
// short by the end of the input, or starting outside the grid); every
// finding goes to the listener, numbered as if the "MAP" line was mapLine.
std::unique_ptr<MapRecord> ParseMapRecord(std::istream &in, int mapLine, MapFileListener &listener);

// The same, reporting as the game does on the console; the "MAP" line
// counts as line 0 in its messages.
std::unique_ptr<MapRecord> ParseMapRecord(std::istream &in);

// Scans a whole map file and reports every record and finding in file order.
void ReadMapFile(std::istream &in, MapFileListener &listener);

// Reads DATA from the working directory, then shows and renews LastRun.
// A missing DATA gives an empty list. Both reads are bounded: a file that
// never ends (a link to /dev/zero) is read only up to a limit.
std::vector<std::unique_ptr<MapRecord>> LoadMaps();

// LastRun becomes the current local time as ctime writes it, and one more
// newline, replaced whole or not at all. Failing to write it is silent: the
// stamp is only informative.
void SaveLastRun();

#endif
