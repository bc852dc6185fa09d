#include "engine/BaseEngine.h"

#include "engine/DisplayServer.h"
#include "engine/DisplayableObject.h"
#include "engine/VideoStart.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
	const int KEY_TABLE_SIZE = 256;
	const int WINDOW_X = 10;
	const int WINDOW_Y = 40;
#ifdef __EMSCRIPTEN__
	// A page sizes its canvas itself.
	const Uint32 WINDOW_FLAGS = 0;
#else
	const Uint32 WINDOW_FLAGS = SDL_WINDOW_RESIZABLE;
#endif
	const uint32_t RED_MASK = 0x00FF0000;
	const uint32_t GREEN_MASK = 0x0000FF00;
	const uint32_t BLUE_MASK = 0x000000FF;
	const uint32_t ALPHA_MASK = 0xFF000000;
	const int DEFAULT_BACKGROUND = 0xFFFF00;
	const int BASE_TICK_MS = 15;
	// What an object's drawing costs in pixels copied from the background,
	// fitted to the partial and whole repaints of the busiest level
	// (docs/SPEED.md); writing the screen's texts into one area is taken as
	// the five draws of the level's panel.
	const long long DRAW_COST = 700;
	const long long STRINGS_COST = 5 * DRAW_COST;

	// Index of each key code above 127 that the key table tracks.
	struct KeyIndex {
		int keyCode;
		int index;
	};
	const KeyIndex KEY_INDICES[] = {
		{SDLK_UP, 128},
		{SDLK_DOWN, 129},
		{SDLK_LEFT, 130},
		{SDLK_RIGHT, 131},
		{SDLK_F1, 132},
		{SDLK_F2, 133},
		{SDLK_F3, 134},
		{SDLK_F4, 135},
		{SDLK_F5, 136},
		{SDLK_F6, 137},
		{SDLK_F7, 138},
		{SDLK_F8, 139},
		{SDLK_F9, 140},
		{SDLK_F10, 141},
		{SDLK_F11, 142},
		{SDLK_F12, 143},
		{SDLK_PRINTSCREEN, 144},
		{SDLK_SCROLLLOCK, 145},
		{SDLK_PAUSE, 146},
		{SDLK_INSERT, 147},
		{SDLK_HOME, 148},
		{SDLK_PAGEUP, 149},
		{SDLK_END, 151},
		{SDLK_PAGEDOWN, 152},
		{SDLK_CAPSLOCK, 158},
		{SDLK_NUMLOCKCLEAR, 159},
		{SDLK_KP_DIVIDE, 160},
		{SDLK_KP_MULTIPLY, 161},
		{SDLK_KP_MINUS, 162},
		{SDLK_KP_PLUS, 163},
		{SDLK_KP_ENTER, 164},
	};

	int Fail(const char *what)
	{
		fprintf(stderr, "Unable to create the %s: %s\n", what, SDL_GetError());
		return 1;
	}
}

BaseEngine::BaseEngine()
{}

BaseEngine::~BaseEngine()
{
	BaseEngine::DestroyAllObjects();
	fontCache.FreeAllFonts();
	objects.shrink_to_fit();
	records.shrink_to_fit();
	ReleaseWindow();
}

int BaseEngine::Initialise(const char *title, int width, int height, const char *defaultFontFile, int defaultFontSize)
{
	this->width = width;
	this->height = height;
	std::string why;
	if(!VideoStart::Start(why))
	{
		fprintf(stderr, "Unable to init SDL: %s\n", why.c_str());
		return 1;
	}
	DisplayServer::EndGameWhenLost();
	atexit(SDL_Quit);
	if(TTF_Init() < 0)
		fprintf(stderr, "Unable to start the font library: %s\n", TTF_GetError());
	atexit(TTF_Quit);

	fontCache.OpenAllFonts();
	if(defaultFontFile && *defaultFontFile)
		defaultFont = GetFont(defaultFontFile, defaultFontSize);

	// A game without its window or surfaces cannot run: say which part
	// failed and stop, rather than crash on the first drawing.
	window = SDL_CreateWindow(title, WINDOW_X, WINDOW_Y, width, height, WINDOW_FLAGS);
	if(!window)
		return Fail("window");
	ChoosePresentation();
	renderer = SDL_CreateRenderer(window, -1, 0);
	if(!renderer)
		return Fail("renderer");
	texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, width, height);
	if(!texture)
		return Fail("screen texture");
	// The alpha byte of our colours is 0: the copy to the window must ignore it.
	SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
	presenter.Start(window, renderer, texture, width, height);
	frameSurface = SDL_CreateRGBSurface(0, width, height, 32, RED_MASK, GREEN_MASK, BLUE_MASK, ALPHA_MASK);
	if(!frameSurface)
		return Fail("frame surface");
	changedArea.Resize(width, height);
	backgroundSurface = SDL_CreateRGBSurface(0, width, height, 32, RED_MASK, GREEN_MASK, BLUE_MASK, ALPHA_MASK);
	if(!backgroundSurface)
		return Fail("background surface");

	keyStates.assign(KEY_TABLE_SIZE, 0);
	InitialiseGame();
	return 0;
}

// Every pixel is drawn in software; the renderer only copies the finished
// frame to the window. Where OpenGL is a software rasteriser as well, it
// adds a copy, milliseconds of presenting per frame and the rasteriser's
// tens of megabytes, so the frame goes through the window's own framebuffer
// (X shared memory) instead. With a GPU, SDL keeps its accelerated choice.
// A player's own SDL_RENDER_DRIVER or SDL_FRAMEBUFFER_ACCELERATION wins:
// SDL lets the environment override hints set at normal priority.
void BaseEngine::ChoosePresentation()
{
	if(!DisplayServer::HasOnlySoftwareOpenGL(window))
		return;
	SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
	SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
}

void BaseEngine::ReleaseWindow()
{
	presenter.Stop();
	if(backgroundSurface)
		SDL_FreeSurface(backgroundSurface);
	if(frameSurface)
		SDL_FreeSurface(frameSurface);
	if(texture)
		SDL_DestroyTexture(texture);
	if(renderer)
		SDL_DestroyRenderer(renderer);
	if(window)
		SDL_DestroyWindow(window);
	backgroundSurface = frameSurface = nullptr;
	texture = nullptr;
	renderer = nullptr;
	window = nullptr;
}

void BaseEngine::TickAt(int tick)
{
	currentTick = tick;
	GameAction();
}

void BaseEngine::RunNextTick()
{
	TickAt(currentTick > nextTickTime ? currentTick : nextTickTime);
}

int BaseEngine::MainLoop()
{
	while(RunPass(ReadClock()))
		Rest();
	return 0;
}

// Between ticks nothing can change but by input: wait for an event or the
// next tick, whichever comes first, rather than poll a core away.
void BaseEngine::Rest()
{
	const int untilTick = nextTickTime - ReadClock();
	if(untilTick > 0)
		WaitForEvent(untilTick);
}

int BaseEngine::ReadClock()
{
	return static_cast<int>(SDL_GetTicks());
}

void BaseEngine::WaitForEvent(int milliseconds)
{
	SDL_WaitEventTimeout(nullptr, milliseconds);
}

bool BaseEngine::RunPass(int tick)
{
	if(exitCode != -1)
		return false;
	currentTick = tick;
	SDL_Event event;
	while(SDL_PollEvent(&event))
	{
		// A window close ends the loop at once: no tick, no redraw.
		if(event.type == SDL_QUIT)
			return false;
		DispatchEvent(event);
	}
	GameAction();
	RedrawScreen();
	return exitCode == -1;
}

void BaseEngine::DispatchEvent(const SDL_Event &event)
{
	switch(event.type)
	{
	case SDL_KEYDOWN:
		if(presenter.TakesKey(event.key))
			break;
		if(!keyStates.empty())
			keyStates[KeyTableIndex(event.key.keysym.sym)] = 1;
		KeyDown(event.key.keysym.sym);
		break;
	case SDL_KEYUP:
		if(presenter.TakesKey(event.key))
			break;
		if(!keyStates.empty())
			keyStates[KeyTableIndex(event.key.keysym.sym)] = 0;
		KeyUp(event.key.keysym.sym);
		break;
	case SDL_MOUSEMOTION:
		mouseX = event.motion.x;
		mouseY = event.motion.y;
		MouseMoved(event.motion.x, event.motion.y);
		break;
	case SDL_MOUSEBUTTONDOWN:
		mouseDownX = event.button.x;
		mouseDownY = event.button.y;
		MouseDown(event.button.button, event.button.x, event.button.y);
		break;
	case SDL_MOUSEBUTTONUP:
		mouseUpX = event.button.x;
		mouseUpY = event.button.y;
		MouseUp(event.button.button, event.button.x, event.button.y);
		break;
	case SDL_WINDOWEVENT:
		presenter.WindowChanged(event.window);
		break;
	default:
		break;
	}
}

void BaseEngine::Deinitialise()
{
	CleanUp();
	keyStates.clear();
	keyStates.shrink_to_fit();
}

int BaseEngine::KeyTableIndex(int keyCode)
{
	if(keyCode >= 0 && keyCode <= 127)
		return keyCode;
	for(const KeyIndex &entry : KEY_INDICES)
		if(entry.keyCode == keyCode)
			return entry.index;
	return 0;
}

void BaseEngine::DestroyAllObjects()
{
	abortIteration = 1;
	// Always delete the front entry: a transient object takes itself out,
	// and anything it deletes on its way out leaves the list too, so no
	// object is skipped or deleted twice.
	while(!objects.empty())
	{
		DisplayableObject *front = objects.front();
		delete front;
		if(!objects.empty() && objects.front() == front)
		{
			objects.erase(objects.begin());
			records.erase(records.begin());
		}
	}
}

int BaseEngine::GetTime() const
{
	return currentTick + timeOffset;
}

void BaseEngine::KeyUp(int)
{}

void BaseEngine::KeyDown(int)
{}

void BaseEngine::MouseMoved(int, int)
{}

void BaseEngine::MouseDown(int, int, int)
{}

void BaseEngine::MouseUp(int, int, int)
{}

int BaseEngine::InitialiseGame()
{
	InitialiseObjects();
	SetupBackground();
	return 0;
}

void BaseEngine::CleanUp()
{}

int BaseEngine::InitialiseObjects()
{
	DestroyAllObjects();
	return 0;
}

void BaseEngine::SetupBackground()
{
	FillBackground(DEFAULT_BACKGROUND);
}

void BaseEngine::GameAction()
{
	// The loop rests until the tick is due; nothing to wait for here.
	if(currentTick < nextTickTime)
		return;
	nextTickTime = currentTick + BASE_TICK_MS;
	UpdateObjects(currentTick);
}

void BaseEngine::AfterUndrawObjects()
{}

void BaseEngine::AfterDrawStrings()
{}

void BaseEngine::AfterDrawObjects()
{}

void BaseEngine::DrawStrings()
{}

bool BaseEngine::LockFrame()
{
	if(!SDL_MUSTLOCK(frameSurface))
		return true;
	frameSurfaceLocked = 1;
	if(SDL_LockSurface(frameSurface) >= 0)
		return true;
	// The redraw is dropped; text drawn later must not unlock a surface
	// that was never locked.
	frameSurfaceLocked = 0;
	return false;
}

SDL_Rect BaseEngine::StringsArea() const
{
	return {0, 0, width, height};
}

void BaseEngine::RedrawScreen()
{
	if(!frameSurface)
		return;
	if(!redrawNeeded)
	{
		if(presenter.OwesPresent())
			presenter.Present();
		return;
	}
	redrawNeeded = 0;
	const bool whole = fullRedraw;
	fullRedraw = 0;
	if(!LockFrame())
		return;
	if(whole)
		RepaintWhole();
	else
		RepaintChanges();
	changedArea.Clear();
	if(SDL_MUSTLOCK(frameSurface))
		SDL_UnlockSurface(frameSurface);
	frameSurfaceLocked = 0;

	SDL_UpdateTexture(texture, nullptr, frameSurface->pixels, frameSurface->pitch);
	presenter.Present();
}

void BaseEngine::RepaintWhole()
{
	memcpy(frameSurface->pixels, backgroundSurface->pixels,
		static_cast<size_t>(backgroundSurface->pitch / 4) * height * 4);
	DrawStrings();
	AfterDrawStrings();
	DrawObjects();
	AfterDrawObjects();
	// The whole frame was restored: whatever each object restores next time
	// counts as restored this time.
	for(size_t i = 0; i < objects.size(); ++i)
		records[i].undrawArea = objects[i]->UndrawArea();
	ForgetChanges();
}

void BaseEngine::ForgetChanges()
{
	for(DrawnRecord &record : records)
		record.lookChanged = false;
	stringsChanged = false;
}

void BaseEngine::RepaintChanges()
{
	GatherChanges();
	if(!redrawChangesOnly)
	{
		UndrawObjects();
		AfterUndrawObjects();
		DrawStrings();
		AfterDrawStrings();
		DrawObjects();
		AfterDrawObjects();
		return;
	}
	std::vector<int> met;
	if(!GrowOverObjects(met))
	{
		RepaintWhole();
		return;
	}
	const std::vector<SDL_Rect> areas = changedArea.Rectangles();
	if(CostsMoreThanWhole(areas, met.size()))
	{
		RepaintWhole();
		return;
	}
	RepaintAreas(areas, met);
}

// The areas are restored and the texts written into them, clipped; then
// every object met draws once, over all of them. Restoring whole areas, not
// what each object covered, also wipes what an object taken out of the list
// drew there.
void BaseEngine::RepaintAreas(const std::vector<SDL_Rect> &areas, const std::vector<int> &met)
{
	const SDL_Rect texts = StringsArea();
	for(const SDL_Rect &area : areas)
	{
		SDL_SetClipRect(frameSurface, &area);
		CopyBackgroundArea(area.x, area.y, area.w, area.h);
		AfterUndrawObjects();
		if(SDL_HasIntersection(&texts, &area))
			DrawStrings();
		AfterDrawStrings();
	}
	DrawMetObjects(met);
	for(const SDL_Rect &area : areas)
	{
		SDL_SetClipRect(frameSurface, &area);
		AfterDrawObjects();
	}
	SDL_SetClipRect(frameSurface, nullptr);
	DrawOffFrameObjects();
}

// The changed area grows over every shown object that reaches into it, until
// none reaches in from outside: each object met then lies wholly inside and
// draws once, unclipped but for the cells it covers, as in a whole repaint.
// Met, in list order, are the objects that reach into the area; a hidden
// one draws nothing, so it does not make the area grow. False as soon as
// the area and the drawing would cost more than a whole repaint.
bool BaseEngine::GrowOverObjects(std::vector<int> &met)
{
	std::vector<char> isMet(objects.size(), 0);
	int shown = 0;
	for(bool grew = true; grew;)
	{
		grew = false;
		for(size_t i = 0; i < objects.size(); ++i)
		{
			const DisplayableObject &object = *objects[i];
			if(isMet[i] || !object.visible || !changedArea.Meets(object.DrawArea()))
				continue;
			isMet[i] = 1;
			changedArea.Add(object.DrawArea());
			grew = true;
			++shown;
		}
		if(changedArea.MarkedPixels() + shown * DRAW_COST > WholeCost())
			return false;
	}
	for(size_t i = 0; i < objects.size(); ++i)
		if(isMet[i] || changedArea.Meets(objects[i]->DrawArea()))
			met.push_back(static_cast<int>(i));
	return true;
}

// The costs are counted in pixels copied from the background. A whole
// repaint is taken to draw every object, hidden ones too: counting only
// the shown would cost one more walk over every object.
long long BaseEngine::WholeCost() const
{
	return static_cast<long long>(width) * height + ObjectCount() * DRAW_COST;
}

// The areas are whole cells, and the texts are written once into each area
// they reach.
bool BaseEngine::CostsMoreThanWhole(const std::vector<SDL_Rect> &areas, size_t draws) const
{
	const SDL_Rect texts = StringsArea();
	long long partial = static_cast<long long>(draws) * DRAW_COST;
	for(const SDL_Rect &area : areas)
	{
		partial += static_cast<long long>(area.w) * area.h;
		if(SDL_HasIntersection(&texts, &area))
			partial += STRINGS_COST;
	}
	return partial > WholeCost();
}

// A hidden object draws onto nothing: its drawing may keep state, as a
// node's does, but writes no pixel.
void BaseEngine::DrawMetObjects(const std::vector<int> &met)
{
	abortIteration = 0;
	const SDL_Rect nowhere = {0, 0, 0, 0};
	for(int index : met)
	{
		DisplayableObject *object = objects[index];
		const SDL_Rect cells = changedArea.CellsCovering(object->DrawArea());
		SDL_SetClipRect(frameSurface, object->visible ? &cells : &nowhere);
		object->Draw();
		if(abortIteration)
			return;
		RememberDrawing(index);
	}
}

namespace {
	bool SameArea(const SDL_Rect &a, const SDL_Rect &b)
	{
		return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
	}
}

// Its pixels would come out as they are: it did not say its look changed,
// restores what it restored last time and draws the same inside it, or
// draws nothing as before.
bool BaseEngine::IsAsLastDrawn(const DisplayableObject &object, const DrawnRecord &record)
{
	const SDL_Rect undraw = object.UndrawArea();
	if(record.lookChanged || !SameArea(undraw, record.undrawArea) || object.visible != record.drew)
		return false;
	return !record.drew || (SameArea(object.DrawArea(), record.drawnArea) && SameArea(undraw, record.drawnArea));
}

// Everything an object that changed restores and draws, now and last time,
// and the texts if they changed; objects taken out of the list since the
// last redraw have already added where they drew.
void BaseEngine::GatherChanges()
{
	for(size_t i = 0; i < objects.size(); ++i)
	{
		const DisplayableObject &object = *objects[i];
		DrawnRecord &record = records[i];
		if(!IsAsLastDrawn(object, record))
		{
			changedArea.Add(object.UndrawArea());
			changedArea.Add(object.DrawArea());
			if(record.drew)
				changedArea.Add(record.drawnArea);
		}
		record.undrawArea = object.UndrawArea();
		record.lookChanged = false;
	}
	if(stringsChanged)
		changedArea.Add(StringsArea());
	stringsChanged = false;
}

// An object wholly off the frame is not met by any repainted area, yet its
// drawing may keep state, such as where it last was; it draws with nothing
// to write to, as it would have drawn onto nothing.
void BaseEngine::DrawOffFrameObjects()
{
	const SDL_Rect frame = {0, 0, width, height};
	const SDL_Rect nowhere = {0, 0, 0, 0};
	for(size_t i = 0; i < objects.size(); ++i)
	{
		const SDL_Rect area = objects[i]->DrawArea();
		if(SDL_HasIntersection(&area, &frame))
			continue;
		SDL_SetClipRect(frameSurface, &nowhere);
		objects[i]->Draw();
		RememberDrawing(static_cast<int>(i));
	}
	SDL_SetClipRect(frameSurface, nullptr);
}

bool BaseEngine::Repaints(const SDL_Rect &area) const
{
	const SDL_Rect &clip = frameSurface->clip_rect;
	if(clip.x == 0 && clip.y == 0 && clip.w == frameSurface->w && clip.h == frameSurface->h)
		return true;
	return SDL_HasIntersection(&area, &clip);
}

void BaseEngine::RememberDrawing(int index)
{
	records[index].drew = objects[index]->visible;
	records[index].drawnArea = objects[index]->DrawArea();
}

void BaseEngine::UndrawObjects()
{
	abortIteration = 0;
	for(int i = 0; i < ObjectCount(); ++i)
	{
		if(frameSurface && !Repaints(objects[i]->UndrawArea()))
			continue;
		objects[i]->RedrawBackground();
		if(abortIteration)
			return;
	}
}

void BaseEngine::DrawObjects()
{
	abortIteration = 0;
	for(int i = 0; i < ObjectCount(); ++i)
	{
		DisplayableObject *object = objects[i];
		if(frameSurface && !Repaints(object->DrawArea()))
			continue;
		object->Draw();
		if(abortIteration)
			return;
		RememberDrawing(i);
	}
}

void BaseEngine::UpdateObjects(int currentTime)
{
	abortIteration = 0;
	for(int i = 0; i < ObjectCount(); ++i)
	{
		objects[i]->Update(currentTime);
		if(abortIteration)
			return;
	}
}

void BaseEngine::FillBackground(int colour)
{
	SDL_Rect area = {0, 0, width, height};
	SDL_FillRect(backgroundSurface, &area, static_cast<Uint32>(colour));
}

int BaseEngine::AddObject(DisplayableObject *object)
{
	objects.push_back(object);
	records.emplace_back();
	return ObjectCount() - 1;
}

void BaseEngine::RemoveObjectAt(int index)
{
	// What it drew stays on the frame until the next redraw repaints that
	// area from the background.
	if(records[index].drew)
	{
		changedArea.Add(records[index].drawnArea);
		redrawNeeded = 1;
	}
	objects.erase(objects.begin() + index);
	records.erase(records.begin() + index);
}

void BaseEngine::LookChanged(const DisplayableObject &object)
{
	redrawNeeded = 1;
	const auto listed = std::find(objects.begin(), objects.end(), &object);
	if(listed != objects.end())
		records[listed - objects.begin()].lookChanged = true;
}

void BaseEngine::StringsChanged()
{
	redrawNeeded = 1;
	stringsChanged = true;
}

DisplayableObject *BaseEngine::ObjectAt(int index) const
{
	return objects[index];
}

int BaseEngine::ObjectCount() const
{
	return static_cast<int>(objects.size());
}

void BaseEngine::CopyBackgroundArea(int x, int y, int width, int height)
{
	if(!backgroundSurface || !frameSurface)
		return;
	const int rowLength = backgroundSurface->pitch / 4;
	const int rows = backgroundSurface->h < this->height ? backgroundSurface->h : this->height;
	// Rectangles such as the cursor's reach past the window: copy the part
	// inside, and only the part a redraw is repainting.
	const SDL_Rect &clip = frameSurface->clip_rect;
	const int left = std::max(0, clip.x);
	const int top = std::max(0, clip.y);
	if(x < left)
	{
		width -= left - x;
		x = left;
	}
	if(y < top)
	{
		height -= top - y;
		y = top;
	}
	width = std::min(width, std::min(rowLength, clip.x + clip.w) - x);
	height = std::min(height, std::min(rows, clip.y + clip.h) - y);
	if(width <= 0 || height <= 0)
		return;
	const uint32_t *from = static_cast<const uint32_t *>(backgroundSurface->pixels);
	uint32_t *to = static_cast<uint32_t *>(frameSurface->pixels);
	for(int row = y; row < y + height; ++row)
		memcpy(to + row * rowLength + x, from + row * rowLength + x, static_cast<size_t>(width) * 4);
}
