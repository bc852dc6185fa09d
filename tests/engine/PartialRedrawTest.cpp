// A redraw repaints only where something changed. Objects that move, jump,
// change their look and say so, animate in place, hide, come and go must
// leave every frame as a full repaint does.
#include "engine/ChangedArea.h"
#include "engine/DisplayableObject.h"
#include "support/TestEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string_view>
#include <vector>

namespace {
	const int BLOT_WIDTH = 48;
	const int BLOT_HEIGHT = 24;
	const int STEPS = 400;

	// Text, and a solid box beside it: text drawn twice on a pixel
	// blends twice, so any pixel repainted without being restored shows. A
	// forgetful one never remembers where it drew, so it goes on restoring
	// where it first was.
	class Blot : public DisplayableObject {
	public:
		Blot(BaseEngine *engine, std::mt19937 &random, bool steady, bool forgetful)
			: DisplayableObject(engine),
			  steady(steady),
			  forgetful(forgetful)
		{
			width = BLOT_WIDTH;
			height = BLOT_HEIGHT;
			visible = true;
			Place(random);
			previousX = x;
			previousY = y;
		}

		void Place(std::mt19937 &random)
		{
			// Crowded, so that most overlap others; some reach past the
			// frame's edges.
			x = static_cast<int>(random() % 160) - 20;
			y = static_cast<int>(random() % 100) - 10;
		}

		void Draw() override
		{
			if(!visible)
				return;
			engine->FillRectangle(x + width / 2, y, x + width - 1, y + height - 1, 0x203040 + look * 0x1010);
			engine->DrawText(
				x + 2, y + 2, look % 2 ? "Ab" : "Wy", 0xFFEECC, engine->GetFont("riftsans_regular.otf", 14));
			if(!forgetful)
				RememberPosition();
		}

		// One that is not steady animates in place, and says so at every step.
		void Step()
		{
			if(!steady)
				ChangeLook((look + 1) % 4);
		}

		void ChangeLook(int newLook)
		{
			look = newLook;
			LookChanged();
		}

		int look = 0;

	private:
		bool steady;
		bool forgetful;
	};

	// It writes no texts.
	class SteadyTextState : public QuietState {
	public:
		using QuietState::QuietState;
		SDL_Rect StringsArea() const override { return {0, 0, 0, 0}; }
	};

	size_t FrameDigest(const SDL_Surface *frame)
	{
		return std::hash<std::string_view>()(
			std::string_view(static_cast<const char *>(frame->pixels), static_cast<size_t>(frame->pitch) * frame->h));
	}

	// The same random play redrawn partly or in full, and the frame after
	// each step.
	std::vector<size_t> Play(bool partly)
	{
		TestEngine engine([](VexaRiftEngine *e) { return std::make_unique<SteadyTextState>(e); });
		for(int band = 0; band < 720; band += 8)
		{
			SDL_Rect stripe = {0, band, 1280, 4};
			SDL_FillRect(engine.backgroundSurface, &stripe, 0x0A1B2C + band);
		}
		std::mt19937 random(7);
		std::vector<Blot *> blots;
		auto add = [&]() {
			blots.push_back(new Blot(&engine, random, random() % 4 != 0, random() % 6 == 0));
			engine.AddObject(blots.back());
		};
		for(int i = 0; i < 12; ++i)
			add();

		std::vector<size_t> frames;
		for(int step = 0; step < STEPS; ++step)
		{
			Blot *blot = blots[random() % blots.size()];
			switch(random() % 12)
			{
			case 0:
				blot->Place(random);
				break;
			case 1: {
				// As the cursor moves, twice before a redraw, now and then back
				// to where it was: what it restores is not where it drew.
				const int fromX = blot->x;
				const int fromY = blot->y;
				for(int move = 0; move < 2; ++move)
				{
					blot->previousX = blot->x;
					blot->previousY = blot->y;
					blot->Place(random);
				}
				if(random() % 2)
					blot->x = fromX, blot->y = fromY;
				break;
			}
			case 2:
				blot->ChangeLook(static_cast<int>(random() % 4));
				break;
			case 3:
				blot->visible = !blot->visible;
				break;
			case 4:
				for(int i = 0; i < engine.ObjectCount(); ++i)
					if(engine.ObjectAt(i) == blot && blots.size() > 4)
					{
						engine.RemoveObjectAt(i);
						blots.erase(std::find(blots.begin(), blots.end(), blot));
						delete blot;
					}
				break;
			case 5:
				add();
				break;
			case 6:
				engine.fullRedraw = step % 50 == 0;
				break;
			default:
				break;
			}
			for(Blot *each : blots)
				each->Step();
			if(!partly)
				engine.fullRedraw = 1;
			engine.redrawNeeded = 1;
			engine.RedrawScreen();
			frames.push_back(FrameDigest(engine.frameSurface));
		}
		return frames;
	}
}

TEST(PartialRedraw, EachFrameIsAsAFullRepaint)
{
	const std::vector<size_t> partly = Play(true);
	const std::vector<size_t> whole = Play(false);
	ASSERT_EQ(partly.size(), whole.size());
	for(size_t i = 0; i < partly.size(); ++i)
		ASSERT_EQ(partly[i], whole[i]) << "step " << i;
}

TEST(PartialRedraw, ARemovedObjectIsWipedAtTheNextRedraw)
{
	TestEngine engine([](VexaRiftEngine *e) { return std::make_unique<SteadyTextState>(e); });
	SDL_FillRect(engine.backgroundSurface, nullptr, 0x102030);
	engine.RedrawScreen();
	// The base object draws a magenta box.
	DisplayableObject *box = new DisplayableObject(&engine);
	box->x = box->previousX = 100;
	box->y = box->previousY = 100;
	box->visible = true;
	const int index = engine.AddObject(box);
	engine.redrawNeeded = 1;
	engine.RedrawScreen();
	ASSERT_EQ(engine.FramePixel(105, 105) & 0xFFFFFF, 0xFF00FFu);

	engine.RemoveObjectAt(index);
	delete box;
	EXPECT_EQ(engine.redrawNeeded, 1);
	engine.redrawNeeded = 1;
	engine.RedrawScreen();
	EXPECT_EQ(engine.FramePixel(105, 105) & 0xFFFFFF, 0x102030u);
}

TEST(PartialRedraw, ChangedAreaGivesDisjointRectanglesCoveringWhatWasAdded)
{
	std::mt19937 random(3);
	for(int round = 0; round < 50; ++round)
	{
		const int width = 100 + static_cast<int>(random() % 60);
		const int height = 80 + static_cast<int>(random() % 40);
		ChangedArea area;
		area.Resize(width, height);
		std::vector<int> wanted(static_cast<size_t>(width) * height, 0);
		for(int i = static_cast<int>(random() % 6); i > 0; --i)
		{
			const SDL_Rect r = {static_cast<int>(random() % 180) - 40, static_cast<int>(random() % 140) - 30,
				static_cast<int>(random() % 50), static_cast<int>(random() % 50)};
			area.Add(r);
			for(int y = std::max(0, r.y); y < std::min(height, r.y + r.h); ++y)
				for(int x = std::max(0, r.x); x < std::min(width, r.x + r.w); ++x)
					wanted[static_cast<size_t>(y) * width + x] = 1;
		}
		std::vector<int> covered(wanted.size(), 0);
		for(const SDL_Rect &r : area.Rectangles())
		{
			ASSERT_TRUE(r.x >= 0 && r.y >= 0 && r.w > 0 && r.h > 0 && r.x + r.w <= width && r.y + r.h <= height);
			for(int y = r.y; y < r.y + r.h; ++y)
				for(int x = r.x; x < r.x + r.w; ++x)
					++covered[static_cast<size_t>(y) * width + x];
		}
		for(size_t i = 0; i < wanted.size(); ++i)
		{
			ASSERT_LE(covered[i], 1) << "round " << round << ": pixel " << i << " is repainted twice";
			ASSERT_GE(covered[i], wanted[i]) << "round " << round << ": pixel " << i << " is not repainted";
		}
		EXPECT_EQ(area.IsEmpty(), area.Rectangles().empty());
	}
}
