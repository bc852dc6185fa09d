#ifndef VEXARIFT_HUD_LINEARMOTION_H
#define VEXARIFT_HUD_LINEARMOTION_H

class DisplayableObject;

// A straight glide from one point to another between two tick times, in
// integer arithmetic, clamped at both ends. A zero-filled motion has ended
// at time 0, which is how its owners recognise their first update.
struct LinearMotion {
	int startTime = 0;
	int endTime = 0;
	int startX = 0;
	int startY = 0;
	int endX = 0;
	int endY = 0;
	int currentX = 0;
	int currentY = 0;

	// A new leg from time on; the current point becomes its start.
	void Start(int time, int duration, int fromX, int fromY, int toX, int toY);
	void UpdatePosition(int time);
	// One tick of a leg under way: the object shows, remembers where it
	// was and moves to the point for time.
	void Glide(DisplayableObject &object, int time);
};

#endif
