#include "support/RecordingState.h"
#include "support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {
	const int BACKGROUND = 0x00AA00;

	// The frame in a window of another size, under the dummy driver, whose
	// window surface is what the player would see.
	class FramePresenterTest : public ::testing::Test {
	protected:
		FramePresenterTest()
			: engine([this](VexaRiftEngine *e) { return std::make_unique<RecordingState>(e, log, "S", BACKGROUND); })
		{
			FlushEvents();
			engine.RunPass(0);
			log.clear();
		}
		~FramePresenterTest() override { FlushEvents(); }

		void Resize(int width, int height)
		{
			SDL_SetWindowSize(engine.window, width, height);
			engine.RunPass(++tick);
		}

		// What the window shows at a window pixel, alpha aside.
		uint32_t Shown(int x, int y) const
		{
			SDL_Surface *surface = SDL_GetWindowSurface(engine.window);
			const uint32_t pixel = static_cast<uint32_t *>(surface->pixels)[y * (surface->pitch / 4) + x];
			return pixel & 0xFFFFFF;
		}

		// As the window system delivers them: in window pixels, for the window.
		void PushButton(int x, int y)
		{
			SDL_Event event{};
			event.type = SDL_MOUSEBUTTONDOWN;
			event.button.windowID = SDL_GetWindowID(engine.window);
			event.button.button = SDL_BUTTON_LEFT;
			event.button.x = x;
			event.button.y = y;
			SDL_PushEvent(&event);
		}

		void PushMotion(int x, int y)
		{
			SDL_Event event{};
			event.type = SDL_MOUSEMOTION;
			event.motion.windowID = SDL_GetWindowID(engine.window);
			event.motion.x = x;
			event.motion.y = y;
			SDL_PushEvent(&event);
		}

		void PushKey(Uint32 type, SDL_Keycode key, Uint16 mod, bool repeat = false)
		{
			SDL_Event event{};
			event.type = type;
			event.key.keysym.sym = key;
			event.key.keysym.mod = mod;
			event.key.repeat = repeat;
			SDL_PushEvent(&event);
		}

		bool IsFullScreen() const { return SDL_GetWindowFlags(engine.window) & SDL_WINDOW_FULLSCREEN_DESKTOP; }

		std::vector<std::string> log;
		TestEngine engine;
		int tick = 0;
	};
}

TEST_F(FramePresenterTest, FillsTheLargestAreaOfItsShapeWithBlackBars)
{
	// 2010 x 1080 holds the frame at 1.5 times, 45 pixels of bar each side.
	// A new size shows the frame again, though nothing asked for a redraw.
	Resize(2010, 1080);
	EXPECT_EQ(Shown(1000, 500), static_cast<uint32_t>(BACKGROUND));
	// The renderer leaves the window clipped to the frame.
	SDL_Surface *shown = SDL_GetWindowSurface(engine.window);
	SDL_SetClipRect(shown, nullptr);
	SDL_FillRect(shown, nullptr, 0x123456);
	engine.redrawNeeded = 1;
	engine.RunPass(++tick);
	EXPECT_EQ(Shown(44, 540), 0u);
	EXPECT_EQ(Shown(45, 0), static_cast<uint32_t>(BACKGROUND));
	EXPECT_EQ(Shown(1964, 1079), static_cast<uint32_t>(BACKGROUND));
	EXPECT_EQ(Shown(1965, 540), 0u);

	SDL_ScaleMode mode = SDL_ScaleModeBest;
	SDL_GetTextureScaleMode(engine.texture, &mode);
	EXPECT_EQ(mode, SDL_ScaleModeLinear);
	Resize(2560, 1600);
	SDL_GetTextureScaleMode(engine.texture, &mode);
	EXPECT_EQ(mode, SDL_ScaleModeNearest);
	EXPECT_EQ(Shown(0, 79), 0u);
	EXPECT_EQ(Shown(0, 80), static_cast<uint32_t>(BACKGROUND));
}

TEST_F(FramePresenterTest, MouseReachesTheGameInFramePixelsAndNeverFromTheBars)
{
	Resize(2010, 1080);
	log.clear();
	// Just beside the frame SDL would round to its edge, 0.
	PushButton(44, 48);
	PushMotion(30, 500);
	PushButton(1965, 48);
	PushButton(45, 0);
	PushButton(45 + 48, 48);
	PushMotion(1964, 1079);
	engine.RunPass(++tick);
	EXPECT_THAT(log, ElementsAre("S.down:1,0,0", "S.down:1,32,32", "S.moved:1279,719"));

	Resize(2560, 1600);
	log.clear();
	PushButton(64, 79);
	PushButton(64, 80 + 1440);
	PushButton(64, 80 + 64);
	engine.RunPass(++tick);
	EXPECT_THAT(log, ElementsAre("S.down:1,32,32"));
}

TEST_F(FramePresenterTest, FullScreenKeysToggleAndGoNoFurther)
{
	PushKey(SDL_KEYDOWN, SDLK_F11, KMOD_NONE);
	PushKey(SDL_KEYDOWN, SDLK_F11, KMOD_NONE, true);
	PushKey(SDL_KEYUP, SDLK_F11, KMOD_NONE);
	engine.RunPass(++tick);
	EXPECT_TRUE(IsFullScreen());

	PushKey(SDL_KEYDOWN, SDLK_RETURN, KMOD_LALT);
	PushKey(SDL_KEYUP, SDLK_RETURN, KMOD_LALT);
	engine.RunPass(++tick);
	EXPECT_FALSE(IsFullScreen());

	PushKey(SDL_KEYDOWN, SDLK_KP_ENTER, KMOD_RALT);
	engine.RunPass(++tick);
	EXPECT_TRUE(IsFullScreen());
	EXPECT_THAT(log, IsEmpty());
	EXPECT_EQ(engine.keyStates[BaseEngine::KeyTableIndex(SDLK_F11)], 0);
	EXPECT_EQ(engine.keyStates[BaseEngine::KeyTableIndex(SDLK_RETURN)], 0);
	EXPECT_EQ(engine.keyStates[BaseEngine::KeyTableIndex(SDLK_KP_ENTER)], 0);

	// Enter alone still starts and restarts; other keys with Alt go on too.
	PushKey(SDL_KEYDOWN, SDLK_RETURN, KMOD_NONE);
	PushKey(SDL_KEYDOWN, SDLK_F10, KMOD_NONE);
	PushKey(SDL_KEYDOWN, 'a', KMOD_LALT);
	engine.RunPass(++tick);
	EXPECT_THAT(log, ElementsAre("S.key:13", "S.key:" + std::to_string(SDLK_F10), "S.key:97"));
	EXPECT_TRUE(IsFullScreen());
}
