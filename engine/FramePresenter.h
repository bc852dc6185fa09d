#ifndef VEXARIFT_ENGINE_FRAMEPRESENTER_H
#define VEXARIFT_ENGINE_FRAMEPRESENTER_H

#include <SDL.h>

// How the finished frame reaches a window of any size, and how the window's
// mouse comes back to the frame. The frame itself is never drawn at another
// size: SDL scales the one texture to the largest area of the window that
// keeps the frame's shape (its logical size), with black bars around it, and
// maps mouse events back to frame pixels.
//
// At a whole multiple the frame is scaled pixel for pixel (nearest), so it
// stays as sharp as at its own size; between multiples it is filtered
// (linear), as nearest would draw every text stroke and line in uneven
// widths.
//
// SDL rounds a position toward zero, so a click just left of or above the
// frame would reach the game as one on its edge: mouse events over the bars
// are dropped before they are queued, while they still hold window pixels.
//
// On the desktop, F11 and Alt+Enter toggle full screen on the desktop's own
// resolution; in a browser the page sizes its canvas and goes full screen
// itself.
class FramePresenter {
public:
	FramePresenter() = default;
	~FramePresenter();
	FramePresenter(const FramePresenter &) = delete;
	FramePresenter &operator=(const FramePresenter &) = delete;

	// Borrows all three until Stop; the texture holds the frame.
	void Start(SDL_Window *window, SDL_Renderer *renderer, SDL_Texture *texture, int frameWidth, int frameHeight);
	void Stop();

	// The texture to the window, then shown.
	void Present();
	// A window that changed size or lost its picture is shown again at the
	// end of the pass, from the texture as it stands.
	void WindowChanged(const SDL_WindowEvent &event);
	bool OwesPresent() const { return presentOwed; }
	// True when the key is a full-screen toggle, which goes no further.
	bool TakesKey(const SDL_KeyboardEvent &key);

private:
	static int DropOutsideFrame(void *presenter, SDL_Event *event);
	bool IsOutsideFrame(const SDL_Event &event) const;
	bool IsOverFrame(int windowX, int windowY) const;
	void FitToWindow();
	void ToggleFullScreen();

	// Borrowed, null until Start.
	SDL_Window *window = nullptr;
	SDL_Renderer *renderer = nullptr;
	SDL_Texture *texture = nullptr;
	int frameWidth = 0;
	int frameHeight = 0;
	// The copy leaves bars to clear only where the window is not of the
	// frame's shape; clearing a window it covers whole is wasted time.
	bool hasBars = false;
	bool presentOwed = false;
};

#endif
