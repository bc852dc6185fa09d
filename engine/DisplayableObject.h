#ifndef VEXARIFT_ENGINE_DISPLAYABLEOBJECT_H
#define VEXARIFT_ENGINE_DISPLAYABLEOBJECT_H

#include <SDL.h>

class BaseEngine;

// Anything on screen that moves, animates or changes during play. It knows
// the rectangle it covers, draws itself onto the frame surface and wipes its
// last drawing by restoring the background beneath it.
//
// Objects live in the engine's object list, which owns them; the list order
// is the drawing order. An object remembers where it was last drawn so that
// the undraw pass wipes exactly that rectangle.
//
// A redraw repaints only what changed. The engine notices an object that
// moved, resized, showed or hid; anything else that changes its drawing the
// object must tell with LookChanged, at every tick while it animates in
// place. Until then it is repainted only where something else changed
// beneath or above it, so its drawing must stay inside DrawArea.
class DisplayableObject {
public:
	explicit DisplayableObject(BaseEngine *engine);
	virtual ~DisplayableObject() = default;

	DisplayableObject(const DisplayableObject &) = delete;
	DisplayableObject &operator=(const DisplayableObject &) = delete;

	// The base draws a magenta box: the sign of an object with no drawing.
	virtual void Draw();
	virtual void RedrawBackground();
	virtual void Update(int currentTime);

	// The next redraw draws it again, and a redraw is asked for.
	void LookChanged();

	void RememberPosition();
	// What Draw covers now, and what RedrawBackground restores.
	SDL_Rect DrawArea() const;
	SDL_Rect UndrawArea() const;

	BaseEngine *GetEngine() const { return engine; }

	// Borrowed: the engine outlives every object in its list.
	BaseEngine *engine;
	int x = -1;
	int y = -1;
	int previousX = -1;
	int previousY = -1;
	int drawOffsetX = 0;
	int drawOffsetY = 0;
	int width = 10;
	int height = 10;
	bool visible = false;
};

#endif
