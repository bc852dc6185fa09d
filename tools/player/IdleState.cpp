#include "tools/player/IdleState.h"

IdleState::IdleState(VexaRiftEngine *engine) : GameState(engine)
{}

void IdleState::SetupBackground()
{}

int IdleState::InitialiseObjects()
{
	return 0;
}

void IdleState::MouseDown(int, int, int)
{}

void IdleState::MouseMoved(int, int)
{}

void IdleState::KeyDown(int)
{}
