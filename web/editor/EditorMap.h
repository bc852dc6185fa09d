#ifndef VEXARIFT_WEB_EDITOR_EDITORMAP_H
#define VEXARIFT_WEB_EDITOR_EDITORMAP_H

#include "leveldata/MapRecord.h"

#include <string>

// The map editor's page holds its map as 92 characters, the form in which
// it hands the map to the C++ and keeps it in the browser's storage: the 90
// node types column by column (rows 0..8 within each column), each as 'A'
// plus its NodeType value, then the start column and the start row as one
// digit each. Plain text crosses into WebAssembly without any copying of
// arrays by hand, and a stored map that was cut or altered is told apart.
class EditorMap {
public:
	static constexpr int LENGTH = GRID_COLUMNS * GRID_ROWS + 2;

	static std::string Write(const MapRecord &record);
	// False, with the record left alone, for a text that is no such map.
	static bool Read(const std::string &text, MapRecord &record);
};

#endif
