#ifndef VEXARIFT_LEVELDATA_MAPCODE_H
#define VEXARIFT_LEVELDATA_MAPCODE_H

#include "leveldata/MapRecord.h"

#include <string>

// A map as a short text that survives a link, a chat message and a person
// typing it: URL-safe characters only, a version first so a later format
// can be told apart, and a check last so that a mistyped character is
// caught instead of opening some other map.
//
// Version 1 holds the 90 node types and the start exactly, and nothing
// else: a map in DATA and its code are the same map, so the record made
// from a code is byte for byte the record the code was made from.
class MapCode {
public:
	// Every code of this version has this many characters.
	static constexpr int LENGTH = 59;

	// The code of a record whose start lies inside the grid.
	static std::string Encode(const MapRecord &record);

	// Fills the record and returns an empty text, or returns one line that
	// says what is wrong with the code: cut short, a character out of
	// place, an unknown version, a failed check, or a map the map checker
	// turns away. The record is left alone then.
	static std::string Decode(const std::string &code, MapRecord &record);
};

#endif
