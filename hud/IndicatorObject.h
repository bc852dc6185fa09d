#ifndef VEXARIFT_HUD_INDICATOROBJECT_H
#define VEXARIFT_HUD_INDICATOROBJECT_H

#include "engine/DisplayableObject.h"

// The panel in the lower left corner of the level screen: the virus's
// coherence on a bar bowed to the left and its strength on a mirrored bar
// bowed to the right, each with its number and label.
//
// It never reads game state; the level pushes the values in with SetValues
// after every move, and a change of them changes its look. The values are not clamped: a bar lights none of its
// segments for a negative value and all of them past its maximum, while the
// number shows the true value.
class IndicatorObject : public DisplayableObject {
public:
	IndicatorObject(BaseEngine *engine, int x, int y);

	void SetValues(int coherence, int strength);
	void Draw() override;
	// 25 segments in an arc, lit from the bottom, one per 1/25 of maximum.
	void DrawBar(int x0, int y0, bool mirrored, int colour, int value, int maximum);

	int GetCoherence() const { return coherence; }
	int GetStrength() const { return strength; }

private:
	void DrawTexts();

	int coherence = 0;
	int strength = 0;
};

#endif
