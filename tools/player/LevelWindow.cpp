#include "tools/player/LevelWindow.h"

#include "engine/VexaRiftEngine.h"
#include "hud/AnimatedTextObject.h"
#include "hud/IndicatorObject.h"
#include "leveldata/NodeType.h"
#include "play/LevelGameState.h"
#include "play/NodeObject.h"
#include "screens/EndGameState.h"

#include <algorithm>

namespace {
	const int LEFT_BUTTON = 1;

	bool ShowsValues(int type)
	{
		return type >= FIREWALL && type <= SYSTEM_CORE;
	}

	NodeView ViewOf(const NodeObject &node)
	{
		NodeView view;
		view.state = node.GetState();
		view.x = node.x;
		view.y = node.y;
		if(view.state == REVEALED)
		{
			// An EMPTY position is revealed from the start and never drawn.
			if(node.GetType() == EMPTY)
				return view;
			view.type = node.GetType();
			if(ShowsValues(view.type))
			{
				view.coherence = node.GetCoherence();
				view.strength = node.GetStrength();
			}
		}
		view.present = true;
		const AnimatedTextObject *text = node.GetFloatingText();
		if(text && text->visible)
			view.floatingText = text->GetText();
		return view;
	}
}

LevelWindow::LevelWindow(VexaRiftEngine *engine, const LevelGameState *level)
	: engine(engine), level(level)
{
}

LevelView LevelWindow::Look() const
{
	LevelView view;
	for(int column = 0; column < kGridColumns; ++column)
		for(int row = 0; row < kGridRows; ++row)
			view.nodes[column][row] = ViewOf(*level->NodeAt(column, row));
	view.virusCoherence = level->GetIndicator()->GetCoherence();
	view.virusStrength = level->GetIndicator()->GetStrength();
	const ItemSlots *slots = level->GetItemSlots();
	for(int slot = 0; slot < ItemSlots::SLOT_COUNT; ++slot)
	{
		view.items[slot] = slots->ItemAt(slot);
		view.slotX[slot] = slots->SlotX(slot);
		view.slotY[slot] = slots->SlotY(slot);
	}
	view.selectingTarget = level->GetSelectedSlot() != -1;
	return view;
}

void LevelWindow::LeftClick(int x, int y)
{
	engine->MouseDown(LEFT_BUTTON, x, y);
}

void LevelWindow::Tick()
{
	engine->currentTick = std::max(engine->currentTick, engine->nextTickTime);
	engine->GameAction();
}

bool LevelWindow::Ended() const
{
	return engine->GetCurrentState() != level;
}

bool LevelWindow::Won() const
{
	const auto *end = dynamic_cast<const EndGameState *>(engine->GetCurrentState());
	return end && end->IsWon();
}
