#ifndef VEXARIFT_ENGINE_BASEENGINE_H
#define VEXARIFT_ENGINE_BASEENGINE_H

#include "engine/ChangedArea.h"
#include "engine/FontCache.h"
#include "engine/FramePresenter.h"
#include "engine/PictureCache.h"

#include <SDL.h>

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

class DisplayableObject;

// The reusable frame of the game: one window, a frame surface that is shown
// and a background surface holding the screen's static picture, the list of
// displayable objects, the font cache and the loop that dispatches input,
// ticks and redraws.
//
// Everything runs on one thread. Game rules run only inside input events;
// ticks drive animation alone. A redraw happens only in loop passes where an
// object or state set redrawNeeded, and each sets it only when its look
// changes, so an idle screen costs no drawing. Between passes the loop
// rests until an event comes or the next tick is due.
//
// A redraw that is not a full one repaints only where something changed:
// around the objects that moved, showed, hid or said their look changed
// (LookChanged), around what removed objects drew, and the screen's texts
// if the state said they changed (StringsChanged). That area grows over
// every object reaching into it, so each object met draws once, wholly
// inside it, and the frame holds the pixels of a whole repaint. When that
// would cost more than the whole frame, the whole frame is repainted. What
// each object last restored and drew is the engine's record, kept beside
// the object list.
//
// The fields are public because objects and states raise the redraw flags
// and read the surfaces directly. Tests and tools drive time with TickAt and
// RunNextTick, never by writing the tick fields themselves.
class BaseEngine {
public:
	BaseEngine();
	virtual ~BaseEngine();

	BaseEngine(const BaseEngine &) = delete;
	BaseEngine &operator=(const BaseEngine &) = delete;

	// 0 when the engine is ready, 1 when the media library failed to start
	// (or, beyond that, when the window or its surfaces could not be made).
	int Initialise(const char *title, int width, int height, const char *defaultFontFile, int defaultFontSize);
	// Runs until Esc or a window close, resting between passes until an
	// event comes or the next tick is due; returns 0.
	int MainLoop();
	// One pass of the main loop at the given tick: drain events, tick,
	// redraw. Returns false once the loop must end.
	bool RunPass(int tick);
	void Deinitialise();
	// Game time is now the given tick, and the tick runs if it is due: the
	// way tests and tools move time on without the clock.
	void TickAt(int tick);
	// Game time jumps to the next due tick, which runs.
	void RunNextTick();

	static int KeyTableIndex(int keyCode);

	// The loop's clock and its wait; a test replaces them to run the loop
	// over simulated time.
	virtual int ReadClock();
	virtual void WaitForEvent(int milliseconds);

	// Hooks, in the order the game's engine replaces them.
	virtual void DestroyAllObjects();
	int GetTime() const;
	virtual void KeyUp(int keyCode);
	virtual void KeyDown(int keyCode);
	virtual void MouseMoved(int x, int y);
	virtual void MouseDown(int button, int x, int y);
	virtual void MouseUp(int button, int x, int y);
	virtual int InitialiseGame();
	virtual void CleanUp();
	virtual int InitialiseObjects();
	virtual void SetupBackground();
	virtual void GameAction();
	virtual void AfterUndrawObjects();
	virtual void AfterDrawStrings();
	virtual void AfterDrawObjects();
	virtual void DrawStrings();
	// Where the screen's texts go; by default anywhere.
	virtual SDL_Rect StringsArea() const;
	virtual void RedrawScreen();
	virtual void UndrawObjects();
	virtual void DrawObjects();
	virtual void UpdateObjects(int currentTime);
	virtual void FillBackground(int colour);

	// The object list owns its entries; transient objects take themselves
	// out when deleted, which is why it holds plain pointers.
	int AddObject(DisplayableObject *object);
	void RemoveObjectAt(int index);
	DisplayableObject *ObjectAt(int index) const;
	int ObjectCount() const;
	// Each asks for a redraw that repaints the object, or the texts' area;
	// an object not listed needs no notice, as it has never been drawn.
	void LookChanged(const DisplayableObject &object);
	void StringsChanged();
	void CopyBackgroundArea(int x, int y, int width, int height);

	// Software drawing primitives; a null target means the frame surface.
	void DrawLine(double x1, double y1, double x2, double y2, int colour, SDL_Surface *target = nullptr);
	void DrawThickLine(
		double x1, double y1, double x2, double y2, int colour, int thickness, SDL_Surface *target = nullptr);
	void DrawRectangleOutline(SDL_Surface *target, int x1, int y1, int x2, int y2, int colour);
	void FillRectangle(int x1, int y1, int x2, int y2, int colour, SDL_Surface *target = nullptr);
	void FillOval(int x1, int y1, int x2, int y2, int colour, SDL_Surface *target = nullptr);
	void FillTriangle(
		double x1, double y1, double x2, double y2, double x3, double y3, int colour, SDL_Surface *target = nullptr);
	void FillTriangleSlice(double xa, double xb, double ya1, double yb1, double ya2, double yb2, int colour,
		SDL_Surface *target = nullptr);
	// Narrows what the shapes above may write to a rectangle, until called
	// with null; text is not affected. Lets a screen repaint one area of a
	// picture exactly as a whole repaint would leave it.
	void SetClipArea(const SDL_Rect *area);

	// Text; a null font means the default font, a null target the frame.
	void DrawText(int x, int y, const char *text, int colour, Font *font = nullptr, SDL_Surface *target = nullptr);
	int DrawTextRightAligned(const char *text, Font *font, int colour, int y, int rightMargin);
	Font *GetFont(const char *fileName, int pointSize);

	int exitCode = -1;
	std::vector<uint8_t> keyStates;
	int width = 0;
	int height = 0;
	SDL_Surface *frameSurface = nullptr;
	SDL_Surface *backgroundSurface = nullptr;
	SDL_Window *window = nullptr;
	SDL_Renderer *renderer = nullptr;
	SDL_Texture *texture = nullptr;
	int currentTick = 0;
	int timeOffset = 0;
	uint8_t redrawNeeded = 1;
	uint8_t fullRedraw = 1;
	// Off, a redraw repaints every object as it did before redraws were
	// limited to changes: what the tests compare the limited redraw with.
	bool redrawChangesOnly = true;
	int nextTickTime = 0;
	int mouseDownX = 0;
	int mouseDownY = 0;
	int mouseUpX = 0;
	int mouseUpY = 0;
	int mouseX = 0;
	int mouseY = 0;
	int abortIteration = 0;
	FontCache fontCache;
	// Node pictures, the indicator frame and item icons: the level forgets
	// them whenever it starts, so each level reads the files once.
	PictureCache pictures;
	// The full-screen pictures of the start and end screens, each held by its
	// screen while shown: 3.7 MB apiece is too much to keep for a screen that
	// may never come back, and decoding one per visit is not noticed.
	PictureCache screenPictures{PictureCache::Keeping::WHILE_HELD};
	// Borrowed from the cache; null when started without a default font.
	Font *defaultFont = nullptr;
	uint8_t frameSurfaceLocked = 0;

private:
	// What an object restored and where it drew at the last redraw that
	// reached it, and whether it said its look changed since.
	struct DrawnRecord {
		SDL_Rect undrawArea = {0, 0, 0, 0};
		SDL_Rect drawnArea = {0, 0, 0, 0};
		bool drew = false;
		// A new object has not been drawn yet.
		bool lookChanged = true;
	};

	// For each row of an oval w by h pixels wide (counted as x2 - x1 and
	// y2 - y1), the last column of its span from x1, or -1 for none.
	const std::vector<int> &OvalSpans(int w, int h);

	SDL_Rect clipArea = {0, 0, 0, 0};
	bool clipping = false;
	std::map<std::pair<int, int>, std::vector<int>> ovalSpans;
	FramePresenter presenter;
	ChangedArea changedArea;
	// The list order is the drawing order; records[i] belongs to objects[i].
	std::vector<DisplayableObject *> objects;
	std::vector<DrawnRecord> records;
	bool stringsChanged = true;

	SDL_Surface *TargetOrFrame(SDL_Surface *target) const;
	bool LockFrame();
	void Rest();
	void RepaintWhole();
	void RepaintChanges();
	bool GrowOverObjects(std::vector<int> &met);
	long long WholeCost() const;
	bool CostsMoreThanWhole(const std::vector<SDL_Rect> &areas, size_t draws) const;
	void RepaintAreas(const std::vector<SDL_Rect> &areas, const std::vector<int> &met);
	void DrawMetObjects(const std::vector<int> &met);
	void GatherChanges();
	void DrawOffFrameObjects();
	// Whether an area reaches into the part of the frame being repainted.
	bool Repaints(const SDL_Rect &area) const;
	void RememberDrawing(int index);
	void ForgetChanges();
	static bool IsAsLastDrawn(const DisplayableObject &object, const DrawnRecord &record);
	void DispatchEvent(const SDL_Event &event);
	void ChoosePresentation();
	void ReleaseWindow();
};

#endif
