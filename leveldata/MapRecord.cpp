#include "leveldata/MapRecord.h"

NodeType MapRecord::TypeAt(int column, int row) const
{
	return types[column][row];
}

GridPosition MapRecord::GetStart() const
{
	return {startColumn, startRow};
}
