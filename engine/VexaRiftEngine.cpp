#include "engine/VexaRiftEngine.h"

// Upward, by design: the game's engine owns the current and the pending
// screen, and the first one it makes is the start screen.
#include "screens/GameState.h"
#include "screens/StartGameState.h"

namespace {
	const int TICK_MS = 10;
}

VexaRiftEngine::VexaRiftEngine()
{
	currentState = std::make_unique<StartGameState>(this);
}

VexaRiftEngine::VexaRiftEngine(const std::function<std::unique_ptr<GameState>(VexaRiftEngine *)> &makeFirstState)
	: currentState(makeFirstState(this))
{}

VexaRiftEngine::~VexaRiftEngine()
{
	// The states go before the objects, as in a switch; the base destructor
	// then deletes the objects.
	currentState.reset();
	pendingState.reset();
}

void VexaRiftEngine::SetNextState(GameState *state)
{
	pendingState.reset(state);
}

void VexaRiftEngine::KeyDown(int keyCode)
{
	if(keyCode == SDLK_ESCAPE)
	{
		exitCode = 0;
		return;
	}
	currentState->KeyDown(keyCode);
}

void VexaRiftEngine::MouseMoved(int x, int y)
{
	currentState->MouseMoved(x, y);
}

void VexaRiftEngine::MouseDown(int button, int x, int y)
{
	currentState->MouseDown(button, x, y);
}

int VexaRiftEngine::InitialiseObjects()
{
	abortIteration = 1;
	DestroyAllObjects();
	return currentState->InitialiseObjects();
}

void VexaRiftEngine::SetupBackground()
{
	currentState->SetupBackground();
}

void VexaRiftEngine::GameAction()
{
	if(currentTick < nextTickTime)
		return;
	// Measured from the tick taken: late ticks are not made up.
	nextTickTime = currentTick + TICK_MS;
	UpdateObjects(currentTick);

	if(!pendingState)
		return;
	// The old state goes first, while its objects still exist; they are
	// deleted right after, so a state's destructor must leave them alone.
	currentState.reset();
	currentState = std::move(pendingState);
	InitialiseObjects();
	SetupBackground();
	redrawNeeded = 1;
	fullRedraw = 1;
}

void VexaRiftEngine::DrawStrings()
{
	currentState->DrawStrings();
}

SDL_Rect VexaRiftEngine::StringsArea() const
{
	return currentState->StringsArea();
}
