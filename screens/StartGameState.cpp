#include "screens/StartGameState.h"

#include "engine/VexaRiftEngine.h"
#include "hud/AnimatedTextObject.h"
#include "play/LevelGameState.h"
#include "play/LevelMaker.h"

namespace {
	const char *const PICTURE_FILE = "StartMenu.jpg";
	const char *const REGULAR_FONT = "riftsans_regular.otf";
	const char *const BOLD_FONT = "riftsans_bold.otf";
	const int TEXT_COLOUR = 0xFFFFFF;
	const int TEXT_LEFT = 110;
	const int CREDIT_Y = 200;
	const int CREDIT_SIZE = 24;
	const int START_HINT_Y = 300;
	const int EXIT_HINT_Y = 370;
	const int HINT_SIZE = 48;
	const int TITLE_FROM_X = 500;
	const int TITLE_FROM_Y = 500;
	const int TITLE_TO_X = 100;
	const int TITLE_TO_Y = 50;
	const int TITLE_SIZE = 128;
	const int TITLE_GLIDE_MS = 2000;
}

StartGameState::StartGameState(VexaRiftEngine *engine)
	: GameState(engine),
	  picture(engine->screenPictures.Picture(PICTURE_FILE))
{}

void StartGameState::SetupBackground()
{
	VexaRiftEngine *engine = GetEngine();
	SDL_Surface *background = engine->backgroundSurface;
	picture->RenderImage(background, 0, 0, 0, 0, picture->GetWidth(), picture->GetHeight());
	engine->DrawText(TEXT_LEFT, CREDIT_Y, "By Ardo Venkell (Tarsk)", TEXT_COLOUR,
		engine->GetFont(REGULAR_FONT, CREDIT_SIZE), background);
	engine->DrawText(TEXT_LEFT, START_HINT_Y, "Press Enter to start", TEXT_COLOUR,
		engine->GetFont(REGULAR_FONT, HINT_SIZE), background);
	engine->DrawText(
		TEXT_LEFT, EXIT_HINT_Y, "Press Esc to exit", TEXT_COLOUR, engine->GetFont(REGULAR_FONT, HINT_SIZE), background);
}

int StartGameState::InitialiseObjects()
{
	VexaRiftEngine *engine = GetEngine();
	// Transient: it lists itself, and the engine deletes it with the screen.
	new AnimatedTextObject(engine, "Vexa Rift", TITLE_FROM_X, TITLE_FROM_Y, TITLE_TO_X, TITLE_TO_Y,
		engine->GetFont(BOLD_FONT, TITLE_SIZE), TITLE_GLIDE_MS, false);
	return 0;
}

void StartGameState::MouseDown(int, int, int)
{}

void StartGameState::MouseMoved(int, int)
{}

void StartGameState::KeyDown(int keyCode)
{
	if(keyCode == SDLK_RETURN)
		GetEngine()->SetNextState(LevelMaker::MakeLevel(GetEngine()));
}
