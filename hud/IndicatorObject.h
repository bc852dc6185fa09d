#ifndef VEXARIFT_HUD_INDICATOROBJECT_H
#define VEXARIFT_HUD_INDICATOROBJECT_H

#include "engine/DisplayableObject.h"

struct Virus;

// The panel in the lower left corner of the level screen: the virus's
// coherence on a bar bowed to the left and its strength on a mirrored bar
// bowed to the right, each with its number and label.
//
// It reads the values from the rules' virus when it draws; the level tells
// it after every move that they may have changed. The values are not clamped: a bar lights none of its
// segments for a negative value and all of them past its maximum, while the
// number shows the true value.
class IndicatorObject : public DisplayableObject {
public:
	// The virus is borrowed: the level's rules outlive their screen's objects.
	IndicatorObject(BaseEngine *engine, int x, int y, const Virus &virus);

	// The rules may have changed the virus.
	void RulesChanged();
	void Draw() override;
	// 25 segments in an arc, lit from the bottom, one per 1/25 of maximum.
	void DrawBar(int x0, int y0, bool mirrored, int colour, int value, int maximum);

	int GetCoherence() const;
	int GetStrength() const;

private:
	void DrawTexts();

	const Virus &virus;
};

#endif
