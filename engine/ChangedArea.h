#ifndef VEXARIFT_ENGINE_CHANGEDAREA_H
#define VEXARIFT_ENGINE_CHANGEDAREA_H

#include <SDL.h>

#include <vector>

// The part of the frame a redraw must repaint, gathered from rectangles and
// handed back as rectangles that never overlap. The redraw repaints each one
// in turn with the frame clipped to it, and a pixel painted twice would
// blend its text twice; so the frame is cut into cells, and the marked
// cells are joined into disjoint rectangles, which may cover a little more
// than was asked.
class ChangedArea {
public:
	// A frame of the given size; rectangles reaching past it are cut.
	void Resize(int width, int height);

	void Add(const SDL_Rect &area);
	void AddAll();
	void Clear();
	bool IsEmpty() const { return marked == 0; }
	// Whether any cell the rectangle touches is marked.
	bool Meets(const SDL_Rect &area) const;
	// The cells the rectangle touches, as one rectangle cut to the frame:
	// after Add, all of it is marked.
	SDL_Rect CellsCovering(const SDL_Rect &area) const;
	// What the marked cells cover, in pixels, counting whole cells.
	long long MarkedPixels() const;

	// Rows of cells, each run of marked cells joined with the same run in the
	// rows below it.
	std::vector<SDL_Rect> Rectangles() const;

private:
	// The first and last column and row of the cells the rectangle touches;
	// false when it touches none.
	bool Span(const SDL_Rect &area, int &firstColumn, int &firstRow, int &lastColumn, int &lastRow) const;
	SDL_Rect CellsOf(int column, int row, int columns, int rows) const;

	int width = 0;
	int height = 0;
	int columns = 0;
	int rows = 0;
	int marked = 0;
	std::vector<unsigned char> cells;
};

#endif
