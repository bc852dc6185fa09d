#include "engine/ChangedArea.h"

#include <algorithm>

namespace {
	// Small enough that a 10-pixel pulse costs little more than itself, large
	// enough that joining the cells takes no time.
	const int CELL_SIZE = 16;
}

void ChangedArea::Resize(int width, int height)
{
	this->width = std::max(0, width);
	this->height = std::max(0, height);
	columns = (this->width + CELL_SIZE - 1) / CELL_SIZE;
	rows = (this->height + CELL_SIZE - 1) / CELL_SIZE;
	cells.assign(static_cast<size_t>(columns) * rows, 0);
	marked = 0;
}

bool ChangedArea::Span(const SDL_Rect &area, int &firstColumn, int &firstRow, int &lastColumn, int &lastRow) const
{
	const int left = std::max(0, area.x);
	const int top = std::max(0, area.y);
	// In 64 bits: wild rectangles must not wrap around into the frame.
	const long long right = std::min<long long>(width, static_cast<long long>(area.x) + area.w);
	const long long bottom = std::min<long long>(height, static_cast<long long>(area.y) + area.h);
	if(left >= right || top >= bottom)
		return false;
	firstColumn = left / CELL_SIZE;
	firstRow = top / CELL_SIZE;
	lastColumn = static_cast<int>((right - 1) / CELL_SIZE);
	lastRow = static_cast<int>((bottom - 1) / CELL_SIZE);
	return true;
}

void ChangedArea::Add(const SDL_Rect &area)
{
	int firstColumn = 0, firstRow = 0, lastColumn = 0, lastRow = 0;
	if(!Span(area, firstColumn, firstRow, lastColumn, lastRow))
		return;
	for(int row = firstRow; row <= lastRow; ++row)
		for(int column = firstColumn; column <= lastColumn; ++column)
		{
			unsigned char &cell = cells[static_cast<size_t>(row) * columns + column];
			marked += !cell;
			cell = 1;
		}
}

bool ChangedArea::Meets(const SDL_Rect &area) const
{
	int firstColumn = 0, firstRow = 0, lastColumn = 0, lastRow = 0;
	if(!marked || !Span(area, firstColumn, firstRow, lastColumn, lastRow))
		return false;
	for(int row = firstRow; row <= lastRow; ++row)
		for(int column = firstColumn; column <= lastColumn; ++column)
			if(cells[static_cast<size_t>(row) * columns + column])
				return true;
	return false;
}

SDL_Rect ChangedArea::CellsCovering(const SDL_Rect &area) const
{
	int firstColumn = 0, firstRow = 0, lastColumn = 0, lastRow = 0;
	if(!Span(area, firstColumn, firstRow, lastColumn, lastRow))
		return {0, 0, 0, 0};
	return CellsOf(firstColumn, firstRow, lastColumn - firstColumn + 1, lastRow - firstRow + 1);
}

long long ChangedArea::MarkedPixels() const
{
	return static_cast<long long>(marked) * CELL_SIZE * CELL_SIZE;
}

void ChangedArea::AddAll()
{
	Add({0, 0, width, height});
}

void ChangedArea::Clear()
{
	std::fill(cells.begin(), cells.end(), 0);
	marked = 0;
}

SDL_Rect ChangedArea::CellsOf(int column, int row, int spanColumns, int spanRows) const
{
	const int x = column * CELL_SIZE;
	const int y = row * CELL_SIZE;
	return {x, y, std::min(width, (column + spanColumns) * CELL_SIZE) - x,
		std::min(height, (row + spanRows) * CELL_SIZE) - y};
}

std::vector<SDL_Rect> ChangedArea::Rectangles() const
{
	struct Run {
		int first;
		int last;
		int topRow;
	};
	std::vector<SDL_Rect> rectangles;
	if(!marked)
		return rectangles;
	std::vector<Run> open;
	std::vector<Run> next;
	for(int row = 0; row <= rows; ++row)
	{
		next.clear();
		for(int column = 0; row < rows && column < columns;)
		{
			if(!cells[static_cast<size_t>(row) * columns + column])
			{
				++column;
				continue;
			}
			const int first = column;
			while(column < columns && cells[static_cast<size_t>(row) * columns + column])
				++column;
			next.push_back({first, column - 1, row});
		}
		// A run that goes on unchanged keeps growing; any other closes here.
		for(const Run &run : open)
		{
			auto same = std::find_if(next.begin(), next.end(),
				[&run](const Run &other) { return other.first == run.first && other.last == run.last; });
			if(same != next.end())
				same->topRow = run.topRow;
			else
				rectangles.push_back(CellsOf(run.first, run.topRow, run.last - run.first + 1, row - run.topRow));
		}
		open.swap(next);
	}
	return rectangles;
}
