#include "screens/EndGameState.h"

#include "engine/VexaRiftEngine.h"
#include "play/LevelGameState.h"
#include "play/LevelMaker.h"

namespace {
	const int TEXT_COLOUR = 0xFFFFFF;
	const char *const BOLD_FONT = "riftsans_bold.otf";
	const char *const REGULAR_FONT = "riftsans_regular.otf";
	const int TITLE_SIZE = 128;
	const int HINT_SIZE = 48;

	// A win puts the title at the top, a loss in the middle.
	struct Layout {
		const char *picture;
		const char *title;
		int titleX;
		int titleY;
		int hintX;
	};
	const Layout WON_LAYOUT = {"WinScreen.jpg", "Success", 100, 50, 110};
	const Layout LOST_LAYOUT = {"LoseScreen.jpg", "Failure", 30, 350, 40};
	const int RESTART_HINT_Y = 560;
	const int EXIT_HINT_Y = 630;

	const Layout &LayoutFor(bool won)
	{
		return won ? WON_LAYOUT : LOST_LAYOUT;
	}
}

EndGameState::EndGameState(VexaRiftEngine *engine, bool won)
	: GameState(engine),
	  won(won),
	  picture(engine->screenPictures.Picture(LayoutFor(won).picture))
{}

void EndGameState::SetupBackground()
{
	picture->RenderImage(GetEngine()->backgroundSurface, 0, 0, 0, 0, picture->GetWidth(), picture->GetHeight());
}

int EndGameState::InitialiseObjects()
{
	return 0;
}

void EndGameState::MouseDown(int, int, int)
{}

void EndGameState::MouseMoved(int, int)
{}

void EndGameState::KeyDown(int keyCode)
{
	if(keyCode == SDLK_RETURN)
		GetEngine()->SetNextState(LevelMaker::MakeLevel(GetEngine()));
}

void EndGameState::DrawStrings()
{
	VexaRiftEngine *engine = GetEngine();
	const Layout &layout = LayoutFor(won);
	Font *titleFont = engine->GetFont(BOLD_FONT, TITLE_SIZE);
	Font *hintFont = engine->GetFont(REGULAR_FONT, HINT_SIZE);
	engine->DrawText(layout.titleX, layout.titleY, layout.title, TEXT_COLOUR, titleFont, engine->frameSurface);
	engine->DrawText(
		layout.hintX, RESTART_HINT_Y, "Press Enter to restart", TEXT_COLOUR, hintFont, engine->frameSurface);
	engine->DrawText(layout.hintX, EXIT_HINT_Y, "Press Esc to exit", TEXT_COLOUR, hintFont, engine->frameSurface);
}
