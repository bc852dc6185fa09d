#include "engine/TransientObject.h"
#include "support/TestEngine.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

namespace {
	// What happened to which object, in order.
	struct Journal {
		std::vector<std::string> visits;
		std::map<std::string, int> deletions;
	};

	// An object that records every pass that reaches it and may act there.
	template<class Base> class Probe : public Base {
	public:
		Probe(BaseEngine *engine, Journal &journal, std::string name)
			: Base(engine),
			  journal(journal),
			  name(std::move(name))
		{}
		~Probe() override
		{
			if(owned)
				delete owned;
			++journal.deletions[name];
		}
		void Update(int) override { Visit(); }
		void Draw() override { Visit(); }
		void RedrawBackground() override { Visit(); }

		std::function<void()> onVisit;
		// Deleted along with this object, like a node's floating text.
		DisplayableObject *owned = nullptr;

	private:
		void Visit()
		{
			journal.visits.push_back(name);
			if(onVisit)
				onVisit();
		}

		Journal &journal;
		std::string name;
	};
	using Plain = Probe<DisplayableObject>;
	using Transient = Probe<TransientObject>;

	class ObjectListTest : public ::testing::Test {
	protected:
		// Before the engine: the engine's teardown still writes to it.
		Journal journal;
		TestEngine engine;

		Plain *AddPlain(const std::string &name)
		{
			Plain *object = new Plain(&engine, journal, name);
			engine.AddObject(object);
			return object;
		}
	};

	using Pass = std::function<void(BaseEngine &)>;
	const std::map<std::string, Pass> PASSES = {
		{"update", [](BaseEngine &e) { e.UpdateObjects(0); }},
		{"draw", [](BaseEngine &e) { e.DrawObjects(); }},
		{"undraw", [](BaseEngine &e) { e.UndrawObjects(); }},
	};

	int IndexOf(BaseEngine &engine, DisplayableObject *object)
	{
		for(int i = 0; i < engine.ObjectCount(); ++i)
			if(engine.ObjectAt(i) == object)
				return i;
		return -1;
	}
}

TEST_F(ObjectListTest, AddReturnsTheNewIndex)
{
	EXPECT_EQ(engine.AddObject(new Plain(&engine, journal, "a")), 0);
	EXPECT_EQ(engine.AddObject(new Plain(&engine, journal, "b")), 1);
	EXPECT_EQ(engine.ObjectCount(), 2);
}

TEST_F(ObjectListTest, PassesSurviveChangesToTheList)
{
	for(const auto &[passName, pass] : PASSES)
	{
		SCOPED_TRACE(passName);
		engine.DestroyAllObjects();
		journal = Journal();
		Plain *a = AddPlain("a");
		Plain *b = AddPlain("b");
		AddPlain("c");
		AddPlain("d");

		// b leaves mid-pass: c moves into its place and waits a pass.
		b->onVisit = [&] { engine.RemoveObjectAt(IndexOf(engine, b)); };
		pass(engine);
		EXPECT_THAT(journal.visits, ElementsAre("a", "b", "d"));
		delete b;

		// Appended mid-pass: reached in the same pass.
		journal.visits.clear();
		a->onVisit = [&] {
			a->onVisit = nullptr;
			AddPlain("e");
		};
		pass(engine);
		EXPECT_THAT(journal.visits, ElementsAre("a", "c", "d", "e"));

		// An emptied list stops the pass after the current object.
		journal.visits.clear();
		a->onVisit = [&] { engine.abortIteration = 1; };
		pass(engine);
		EXPECT_THAT(journal.visits, ElementsAre("a"));

		// The next pass starts afresh.
		journal.visits.clear();
		a->onVisit = nullptr;
		pass(engine);
		EXPECT_THAT(journal.visits, ElementsAre("a", "c", "d", "e"));
	}
}

TEST_F(ObjectListTest, TransientObjectsListAndUnlistThemselves)
{
	struct Checker : TransientObject {
		explicit Checker(BaseEngine *engine)
			: TransientObject(engine),
			  listedBeforeBuilt(engine->ObjectAt(engine->ObjectCount() - 1) == this)
		{}
		bool listedBeforeBuilt;
	};
	Plain *a = AddPlain("a");
	Checker *checker = new Checker(&engine);
	EXPECT_TRUE(checker->listedBeforeBuilt);
	Transient *t = new Transient(&engine, journal, "t");
	Plain *b = AddPlain("b");

	testing::internal::CaptureStderr();
	delete checker;
	delete t;
	EXPECT_THAT(testing::internal::GetCapturedStderr(), IsEmpty());
	ASSERT_EQ(engine.ObjectCount(), 2);
	EXPECT_EQ(engine.ObjectAt(0), a);
	EXPECT_EQ(engine.ObjectAt(1), b);
}

TEST_F(ObjectListTest, TransientAlreadyTakenOutReportsOnce)
{
	AddPlain("a");
	Transient *t = new Transient(&engine, journal, "t");
	AddPlain("b");
	engine.RemoveObjectAt(1);

	testing::internal::CaptureStderr();
	delete t;
	EXPECT_EQ(testing::internal::GetCapturedStderr(), "Autoremoving transient object FAILED, object not found\n");
	EXPECT_EQ(journal.deletions["t"], 1);
	EXPECT_EQ(engine.ObjectCount(), 2);
}

TEST_F(ObjectListTest, DestroyAllDeletesEachObjectOnce)
{
	// Nodes own floating texts that come after them; transient pulses sit
	// anywhere, including first and last.
	const std::vector<std::string> layouts = {"PNNTPTNT", "NTNTPP", "PPNNTT", "TPNT", "NPTP"};
	for(const std::string &layout : layouts)
	{
		SCOPED_TRACE(layout);
		journal = Journal();
		std::vector<Plain *> nodesWithoutText;
		std::vector<std::string> names;
		for(size_t i = 0; i < layout.size(); ++i)
		{
			const std::string name = layout.substr(i, 1) + std::to_string(i);
			names.push_back(name);
			if(layout[i] == 'N')
				nodesWithoutText.push_back(AddPlain(name));
			else if(layout[i] == 'P')
				new Transient(&engine, journal, name);
			else if(!nodesWithoutText.empty())
			{
				nodesWithoutText.front()->owned = new Transient(&engine, journal, name);
				nodesWithoutText.erase(nodesWithoutText.begin());
			}
			else
				new Transient(&engine, journal, name);
		}

		testing::internal::CaptureStderr();
		engine.DestroyAllObjects();
		EXPECT_THAT(testing::internal::GetCapturedStderr(), Not(HasSubstr("FAILED")));
		EXPECT_EQ(engine.ObjectCount(), 0);
		EXPECT_EQ(engine.abortIteration, 1);
		for(const std::string &name : names)
			EXPECT_EQ(journal.deletions[name], 1) << name;
		EXPECT_EQ(journal.deletions.size(), names.size());
	}
}

TEST_F(ObjectListTest, EngineTeardownDeletesTheObjects)
{
	Journal teardown;
	{
		TestEngine local;
		local.AddObject(new Plain(&local, teardown, "a"));
		new Transient(&local, teardown, "b");
	}
	EXPECT_EQ(teardown.deletions["a"], 1);
	EXPECT_EQ(teardown.deletions["b"], 1);
}

TEST(DisplayableObjectDraw, MagentaBoxIsClippedToTheWindow)
{
	TestEngine engine;
	SDL_FillRect(engine.frameSurface, nullptr, 0);
	DisplayableObject object(&engine);
	EXPECT_FALSE(object.visible);
	object.Draw();
	for(int x = 0; x < 12; ++x)
		for(int y = 0; y < 12; ++y)
			EXPECT_EQ(engine.FramePixel(x, y), (x < 9 && y < 9) ? 0xFF00FFu : 0u) << x << "," << y;

	// The draw offset moves the box; the last drawn position is remembered.
	object.x = 1275;
	object.y = 716;
	object.drawOffsetX = 2;
	object.Draw();
	EXPECT_EQ(object.previousX, 1275);
	EXPECT_EQ(object.previousY, 716);
	EXPECT_EQ(engine.FramePixel(1276, 719), 0u);
	EXPECT_EQ(engine.FramePixel(1277, 716), 0xFF00FFu);
	EXPECT_EQ(engine.FramePixel(1279, 719), 0xFF00FFu);
}

TEST(DisplayableObjectDraw, UndrawRestoresThePreviousRectangle)
{
	TestEngine engine;
	SDL_FillRect(engine.backgroundSurface, nullptr, 0x123456);
	SDL_FillRect(engine.frameSurface, nullptr, 0);
	DisplayableObject object(&engine);
	object.x = 100;
	object.y = 50;
	object.drawOffsetX = -5;
	object.drawOffsetY = -5;
	object.Draw();
	object.x = 300;
	object.RedrawBackground();
	EXPECT_EQ(engine.FramePixel(95, 45), 0x123456u);
	EXPECT_EQ(engine.FramePixel(104, 54), 0x123456u);
	EXPECT_EQ(engine.FramePixel(105, 54), 0u);
	EXPECT_EQ(engine.FramePixel(94, 45), 0u);
}

TEST(CopyBackgroundArea, CopiesOnlyThePartInsideTheWindow)
{
	TestEngine engine;
	auto *background = static_cast<uint32_t *>(engine.backgroundSurface->pixels);
	const int row = engine.backgroundSurface->pitch / 4;
	for(int y = 0; y < 720; ++y)
		for(int x = 0; x < 1280; ++x)
			background[y * row + x] = static_cast<uint32_t>(y * 2000 + x + 1);
	SDL_FillRect(engine.frameSurface, nullptr, 0);

	engine.CopyBackgroundArea(-3, -2, 6, 5);
	engine.CopyBackgroundArea(1277, 716, 65, 65);
	engine.CopyBackgroundArea(600, 300, 0, 10);
	engine.CopyBackgroundArea(600, 300, 10, -1);
	engine.CopyBackgroundArea(-70, 300, 65, 65);
	int copied = 0;
	for(int y = 0; y < 720; ++y)
		for(int x = 0; x < 1280; ++x)
		{
			const bool inside = (x < 3 && y < 3) || (x >= 1277 && y >= 716);
			const uint32_t expected = inside ? static_cast<uint32_t>(y * 2000 + x + 1) : 0u;
			if(engine.FramePixel(x, y) != expected)
				ADD_FAILURE() << x << "," << y;
			copied += inside;
		}
	EXPECT_EQ(copied, 9 + 12);
}
