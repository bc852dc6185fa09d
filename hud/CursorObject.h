#ifndef VEXARIFT_HUD_CURSOROBJECT_H
#define VEXARIFT_HUD_CURSOROBJECT_H

#include "engine/DisplayableObject.h"

// The selection marker of the level screen: a white square frame with a
// short diagonal stroke in each corner, centred on its position. The level
// moves it from node centre to node centre; it never follows the mouse
// pixel by pixel.
class CursorObject : public DisplayableObject {
public:
	explicit CursorObject(BaseEngine *engine);

	// Asks for a redraw even when the position does not change.
	void MoveTo(int x, int y);
	void Draw() override;
};

#endif
