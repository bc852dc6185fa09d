#ifndef VEXARIFT_HUD_MOVINGVIRUSOBJECT_H
#define VEXARIFT_HUD_MOVINGVIRUSOBJECT_H

#include "engine/DisplayableObject.h"
#include "hud/LinearMotion.h"

// A small disc that flies from a freshly decrypted node to a neighbour it
// uncovered, and vanishes on arrival. The level owns a fixed set of them and
// reuses them, so a marker is an ordinary listed object, hidden whenever it
// is not flying.
//
// A leg starts at the time of the latest update rather than the clock's
// current time: moves happen inside input events, between ticks. Before its
// first update, a marker takes the engine's current tick instead.
class MovingVirusObject : public DisplayableObject {
public:
	explicit MovingVirusObject(BaseEngine *engine);

	// Restarts from the new start point even while a leg is under way. The
	// marker shows from the next update.
	void StartMove(int fromX, int fromY, int toX, int toY);
	// Keeps the marker inside the window less a border, so a leg toward a
	// point off screen ends at the edge band.
	void Update(int currentTime) override;
	void Draw() override;

private:
	void ClampToWindow();

	LinearMotion motion;
	int lastTime = 0;
	bool updated = false;
};

#endif
