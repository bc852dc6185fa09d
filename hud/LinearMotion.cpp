#include "hud/LinearMotion.h"

#include "engine/DisplayableObject.h"

#include <cstdint>

void LinearMotion::Start(int time, int duration, int fromX, int fromY, int toX, int toY)
{
	startTime = time;
	endTime = time + duration;
	startX = fromX;
	startY = fromY;
	endX = toX;
	endY = toY;
	UpdatePosition(time);
}

void LinearMotion::UpdatePosition(int time)
{
	if(time <= startTime)
	{
		currentX = startX;
		currentY = startY;
		return;
	}
	if(time >= endTime)
	{
		currentX = endX;
		currentY = endY;
		return;
	}
	// 64-bit products: long legs over long times must not overflow.
	const int64_t elapsed = static_cast<int64_t>(time) - startTime;
	const int64_t duration = static_cast<int64_t>(endTime) - startTime;
	currentX = static_cast<int>(elapsed * (static_cast<int64_t>(endX) - startX) / duration + startX);
	currentY = static_cast<int>(elapsed * (static_cast<int64_t>(endY) - startY) / duration + startY);
}

void LinearMotion::Glide(DisplayableObject &object, int time)
{
	object.previousX = object.x;
	object.previousY = object.y;
	object.visible = true;
	UpdatePosition(time);
	object.x = currentX;
	object.y = currentY;
}
