#include "tools/player/LevelView.h"

bool NodeView::operator==(const NodeView &other) const
{
	return present == other.present && state == other.state && type == other.type
		&& coherence == other.coherence && strength == other.strength && floatingText == other.floatingText
		&& x == other.x && y == other.y;
}

bool LevelView::operator==(const LevelView &other) const
{
	return nodes == other.nodes && virusCoherence == other.virusCoherence && virusStrength == other.virusStrength
		&& items == other.items && slotX == other.slotX && slotY == other.slotY
		&& selectingTarget == other.selectingTarget;
}
