#include "engine/FramePresenter.h"

#include <cmath>
#include <cstdio>

namespace {
#ifdef __EMSCRIPTEN__
	const bool OWN_WINDOW = false;
#else
	const bool OWN_WINDOW = true;
#endif
	// Smaller than this, the texts cannot be read.
	const int SMALLEST_SCALE_DIVISOR = 2;

	bool IsEnter(SDL_Keycode code)
	{
		return code == SDLK_RETURN || code == SDLK_KP_ENTER;
	}

	bool IsFullScreenToggle(const SDL_Keysym &key)
	{
		return key.sym == SDLK_F11 || (IsEnter(key.sym) && (key.mod & KMOD_ALT));
	}
}

FramePresenter::~FramePresenter()
{
	Stop();
}

void FramePresenter::Start(
	SDL_Window *window, SDL_Renderer *renderer, SDL_Texture *texture, int frameWidth, int frameHeight)
{
	this->window = window;
	this->renderer = renderer;
	this->texture = texture;
	this->frameWidth = frameWidth;
	this->frameHeight = frameHeight;
	if(OWN_WINDOW)
		SDL_SetWindowMinimumSize(window, frameWidth / SMALLEST_SCALE_DIVISOR, frameHeight / SMALLEST_SCALE_DIVISOR);
	SDL_SetRenderDrawColor(renderer, 0, 0, 0, SDL_ALPHA_OPAQUE);
	SDL_RenderSetLogicalSize(renderer, frameWidth, frameHeight);
	SDL_SetEventFilter(DropOutsideFrame, this);
	FitToWindow();
}

void FramePresenter::Stop()
{
	SDL_EventFilter filter = nullptr;
	void *owner = nullptr;
	if(SDL_GetEventFilter(&filter, &owner) && owner == this)
		SDL_SetEventFilter(nullptr, nullptr);
	window = nullptr;
	renderer = nullptr;
	texture = nullptr;
}

void FramePresenter::Present()
{
	presentOwed = false;
	if(!renderer)
		return;
	if(hasBars)
		SDL_RenderClear(renderer);
	SDL_RenderCopy(renderer, texture, nullptr, nullptr);
	SDL_RenderPresent(renderer);
}

void FramePresenter::WindowChanged(const SDL_WindowEvent &event)
{
	if(!window || event.windowID != SDL_GetWindowID(window))
		return;
	switch(event.event)
	{
	case SDL_WINDOWEVENT_SIZE_CHANGED:
		FitToWindow();
		presentOwed = true;
		break;
	case SDL_WINDOWEVENT_EXPOSED:
		presentOwed = true;
		break;
	default:
		break;
	}
}

bool FramePresenter::TakesKey(const SDL_KeyboardEvent &key)
{
	if(!OWN_WINDOW || !window || !IsFullScreenToggle(key.keysym))
		return false;
	// Held down, the key would flip the window back and forth.
	if(key.type == SDL_KEYDOWN && !key.repeat)
		ToggleFullScreen();
	return true;
}

void FramePresenter::ToggleFullScreen()
{
	const bool fullScreen = SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN;
	if(SDL_SetWindowFullscreen(window, fullScreen ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) < 0)
		fprintf(stderr, "Unable to toggle full screen: %s\n", SDL_GetError());
}

// The renderer has taken the new size by now: it follows the window from
// an event watch that runs as the event is queued.
void FramePresenter::FitToWindow()
{
	int outputWidth = 0;
	int outputHeight = 0;
	SDL_GetRendererOutputSize(renderer, &outputWidth, &outputHeight);
	hasBars = outputWidth * frameHeight != outputHeight * frameWidth;
	float scale = 1;
	SDL_RenderGetScale(renderer, &scale, nullptr);
	const bool whole = scale >= 1 && std::floor(scale) == scale;
	SDL_SetTextureScaleMode(texture, whole ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
}

int FramePresenter::DropOutsideFrame(void *presenter, SDL_Event *event)
{
	return static_cast<FramePresenter *>(presenter)->IsOutsideFrame(*event) ? 0 : 1;
}

// Events of other windows, and those a program pushes itself, are left be.
bool FramePresenter::IsOutsideFrame(const SDL_Event &event) const
{
	if(!window)
		return false;
	const Uint32 id = SDL_GetWindowID(window);
	switch(event.type)
	{
	case SDL_MOUSEMOTION:
		return event.motion.windowID == id && !IsOverFrame(event.motion.x, event.motion.y);
	case SDL_MOUSEBUTTONDOWN:
	case SDL_MOUSEBUTTONUP:
		return event.button.windowID == id && !IsOverFrame(event.button.x, event.button.y);
	default:
		return false;
	}
}

bool FramePresenter::IsOverFrame(int windowX, int windowY) const
{
	float x = 0;
	float y = 0;
	SDL_RenderWindowToLogical(renderer, windowX, windowY, &x, &y);
	return x >= 0 && y >= 0 && x < frameWidth && y < frameHeight;
}
