#ifndef VEXARIFT_LEVELDATA_MAPRECORD_H
#define VEXARIFT_LEVELDATA_MAPRECORD_H

#include "leveldata/GridPosition.h"
#include "leveldata/NodeType.h"

// One map from the DATA file: the type at every grid position and where the
// player starts. Indexed [column][row] because the level builds its nodes
// column by column.
//
// A plain record: the loader fills it and nothing changes it afterwards.
// Positions the file leaves open read as EMPTY.
class MapRecord {
public:
	NodeType TypeAt(int column, int row) const;
	GridPosition GetStart() const;

	NodeType types[GRID_COLUMNS][GRID_ROWS] = {};
	int startColumn = 0;
	int startRow = 0;
};

#endif
