#include "web/PageLink.h"

#include "engine/VexaRiftEngine.h"
#include "screens/EndGameState.h"
#include "screens/StartGameState.h"

#include <emscripten.h>

// The page's hook, if it has one.
EM_JS(void, TellPageScreen, (const char *name), {
	if(Module.onScreen)
		Module.onScreen(UTF8ToString(name));
});

EM_JS(void, TellPageMap, (int place, int count, const char *code), {
	if(Module.onMap)
		Module.onMap({place : place, count : count, code : UTF8ToString(code)});
});

EM_JS(void, TellPageEnd, (int won, int coherence, int strength, int moves), {
	if(Module.onLevelEnd)
		Module.onLevelEnd({won : Boolean(won), coherence : coherence, strength : strength, moves : moves});
});

namespace {
	// The page's names for the screens, in the order of Screen.
	const char *const SCREEN_NAMES[] = {"", "start", "level", "end"};

	PageLink::Screen ScreenOf(const GameState *state)
	{
		if(!state)
			return PageLink::Screen::NONE;
		if(dynamic_cast<const StartGameState *>(state))
			return PageLink::Screen::START;
		if(dynamic_cast<const EndGameState *>(state))
			return PageLink::Screen::END;
		return PageLink::Screen::LEVEL;
	}

	void QueueKey(Uint32 type, Uint8 state)
	{
		SDL_Event event = {};
		event.type = type;
		event.key.state = state;
		event.key.windowID = SDL_GetWindowID(SDL_GetKeyboardFocus());
		event.key.keysym.scancode = SDL_SCANCODE_RETURN;
		event.key.keysym.sym = SDLK_RETURN;
		SDL_PushEvent(&event);
	}
}

void PageLink::ReportScreen(const VexaRiftEngine &engine)
{
	const Screen screen = ScreenOf(engine.GetCurrentState());
	if(screen == told)
		return;
	told = screen;
	TellPageScreen(SCREEN_NAMES[static_cast<int>(screen)]);
}

void PageLink::MapSetUp(const Map &map)
{
	TellPageMap(map.place, map.count, map.code.c_str());
}

void PageLink::LevelEnded(const Result &result)
{
	TellPageEnd(result.won, result.coherence, result.strength, result.moves);
}

void PageLink::PressEnter()
{
	QueueKey(SDL_KEYDOWN, SDL_PRESSED);
	QueueKey(SDL_KEYUP, SDL_RELEASED);
}

// The page's button calls this as Module._PressEnter().
extern "C" EMSCRIPTEN_KEEPALIVE void PressEnter()
{
	PageLink::PressEnter();
}
