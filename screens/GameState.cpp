#include "screens/GameState.h"

GameState::GameState(VexaRiftEngine *engine) : engine(engine)
{}

void GameState::DrawStrings()
{}
