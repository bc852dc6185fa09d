#ifndef VEXARIFT_TESTS_SUPPORT_MAPLETTERS_H
#define VEXARIFT_TESTS_SUPPORT_MAPLETTERS_H

#include "leveldata/MapLoader.h"
#include "leveldata/MapRecord.h"

#include <string>
#include <vector>

// Maps for tests, written as rows of letters, one per column:
//   .  EMPTY        h  HACKED         C  SYSTEM_CORE    D  DATA_CACHE
//   F  FIREWALL     A  ANTIVIRUS      R  RESTORATION_NODE
//   V  VIRUS_SUPPRESSOR
//   s  ITEM_SELF_REPAIR   k  ITEM_KERNEL_ROT
//   p  ITEM_POLYMORPHIC_SHIELD   v  ITEM_SECONDARY_VECTOR
// Blanks are for the eye, so rows can be staggered; rows not given and
// columns past a row's end are EMPTY. Header only, so that the tests of the
// rules and of the tools, which link no SDL, can write maps the same way.
inline MapRecord MapOfLetters(const std::vector<std::string> &rows, int startColumn, int startRow)
{
	const std::string letters = ".hFAVRCskpvD";
	const NodeType types[] = {EMPTY, HACKED, FIREWALL, ANTIVIRUS, VIRUS_SUPPRESSOR, RESTORATION_NODE, SYSTEM_CORE,
		ITEM_SELF_REPAIR, ITEM_KERNEL_ROT, ITEM_POLYMORPHIC_SHIELD, ITEM_SECONDARY_VECTOR, DATA_CACHE};
	MapRecord map;
	for(size_t row = 0; row < rows.size() && row < GRID_ROWS; ++row)
	{
		int column = 0;
		for(char letter : rows[row])
			if(letter != ' ' && column < GRID_COLUMNS)
				map.types[column++][row] = types[letters.find(letter)];
	}
	map.startColumn = startColumn;
	map.startRow = startRow;
	return map;
}

// The same map as DATA holds it.
inline std::string MapTextOfLetters(const std::vector<std::string> &rows, int startColumn, int startRow)
{
	return FormatMapRecord(MapOfLetters(rows, startColumn, startRow));
}

#endif
