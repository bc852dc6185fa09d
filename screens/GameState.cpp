#include "screens/GameState.h"

#include "engine/VexaRiftEngine.h"

GameState::GameState(VexaRiftEngine *engine) : engine(engine)
{}

void GameState::DrawStrings()
{}

SDL_Rect GameState::StringsArea() const
{
	return {0, 0, engine->width, engine->height};
}
