#include "web/editor/EditorMap.h"

std::string EditorMap::Write(const MapRecord &record)
{
	std::string text;
	for(int column = 0; column < GRID_COLUMNS; ++column)
		for(int row = 0; row < GRID_ROWS; ++row)
			text += static_cast<char>('A' + record.TypeAt(column, row));
	text += static_cast<char>('0' + record.startColumn);
	text += static_cast<char>('0' + record.startRow);
	return text;
}

bool EditorMap::Read(const std::string &text, MapRecord &record)
{
	if(text.size() != static_cast<size_t>(LENGTH))
		return false;
	MapRecord read;
	for(int i = 0; i < GRID_COLUMNS * GRID_ROWS; ++i)
	{
		const int type = text[i] - 'A';
		if(type < EMPTY || type > DATA_CACHE)
			return false;
		read.types[i / GRID_ROWS][i % GRID_ROWS] = static_cast<NodeType>(type);
	}
	read.startColumn = text[LENGTH - 2] - '0';
	read.startRow = text[LENGTH - 1] - '0';
	if(!IsInsideGrid(read.startColumn, read.startRow))
		return false;
	record = read;
	return true;
}
