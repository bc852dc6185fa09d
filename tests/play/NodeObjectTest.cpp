#include "play/NodeObject.h"

#include "hud/AnimatedTextObject.h"
#include "leveldata/NodeType.h"
#include "rules/NetworkNode.h"
#include "rules/NodeState.h"
#include "support/TestEngine.h"

#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

	namespace fs = std::filesystem;

	const char *const MAIN_PICTURES[] = {"HiddenNode.png", "EncryptedNode.png", "BlockedNode.png", "HackedNode.png",
		"Firewall.png", "Antivirus.png", "RestorationNode.png", "VirusSuppressor.png", "SystemCore.png"};
	const char *const OVERLAY_PICTURES[] = {"ItemSelfRepair.png", "ItemKernelRot.png", "ItemPolymorphicShield.png",
		"ItemSecondaryVector.png", "DataCache.png"};
	const char *const FONTS[] = {"riftsans_regular.otf", "riftsans_bold.otf"};

	const int MAIN_SIZE = 60;
	const int OVERLAY_SIZE = 40;
	// Each test picture is transparent but for a marked block in its top-left
	// corner, coloured after the file so a test can tell which one was loaded.
	const int MARK_SIZE = 10;
	const uint32_t TRANSPARENT = 0xFFFF00FF;
	const uint32_t RGB = 0x00FFFFFF;
	const uint32_t BACKGROUND = 0x404040;
	const uint32_t DISC = 0x0C110C;

	const int CENTRE_X = 200;
	const int CENTRE_Y = 150;
	const int LEFT = CENTRE_X - 30;
	const int TOP = CENTRE_Y - 30;

	// Distinct for every file, and dark enough never to pass for the numbers.
	uint32_t MarkColour(const std::string &fileName)
	{
		uint32_t index = 0;
		for(const char *name : MAIN_PICTURES)
		{
			if(fileName == name)
				return 0x300040 + index * 0x0A0800;
			++index;
		}
		for(const char *name : OVERLAY_PICTURES)
		{
			if(fileName == name)
				return 0x300040 + index * 0x0A0800;
			++index;
		}
		return 0;
	}

	bool SavePicture(const fs::path &folder, const char *fileName, int size)
	{
		SDL_Surface *surface = SDL_CreateRGBSurface(0, size, size, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000);
		if(!surface)
			return false;
		SDL_FillRect(surface, nullptr, TRANSPARENT);
		SDL_Rect mark = {0, 0, MARK_SIZE, MARK_SIZE};
		SDL_FillRect(surface, &mark, 0xFF000000 | MarkColour(fileName));
		const bool saved = IMG_SavePNG(surface, (folder / fileName).c_str()) == 0;
		SDL_FreeSurface(surface);
		return saved;
	}

	// Runs each test in a folder of marked pictures and the game's fonts, so
	// which picture a node loaded can be read off its pixels.
	class NodeTest : public testing::Test {
	protected:
		void SetUp() override
		{
			char pattern[] = "/tmp/node-test-XXXXXX";
			ASSERT_NE(mkdtemp(pattern), nullptr);
			folder = pattern;
			for(const char *name : MAIN_PICTURES)
				ASSERT_TRUE(SavePicture(folder, name, MAIN_SIZE)) << name;
			for(const char *name : OVERLAY_PICTURES)
				ASSERT_TRUE(SavePicture(folder, name, OVERLAY_SIZE)) << name;
			for(const char *name : FONTS)
			{
				std::error_code error;
				fs::copy_file(fs::path(VEXARIFT_GAME_DIR) / name, folder / name, error);
				ASSERT_FALSE(error) << name << ": " << error.message();
			}
			previousFolder = fs::current_path();
			fs::current_path(folder);
		}

		void TearDown() override
		{
			fs::current_path(previousFolder);
			fs::remove_all(folder);
		}

		NodeObject &MakeNode(int type, int state)
		{
			held.push_back(std::make_unique<NetworkNode>());
			held.back()->Reset(type);
			held.back()->SetState(state);
			nodes.push_back(std::make_unique<NodeObject>(&engine, CENTRE_X, CENTRE_Y, 3, 4, *held.back()));
			return *nodes.back();
		}

		// The rules' node the node shows, to change as the rules would.
		NetworkNode &Held(const NodeObject &node)
		{
			for(const std::unique_ptr<NetworkNode> &rulesNode : held)
				if(rulesNode.get() == &node.GetNode())
					return *rulesNode;
			ADD_FAILURE() << "a node of no test";
			return *held.front();
		}

		// Changes the node's rules' node and tells the node, as the level does.
		template<typename Edit> void Change(NodeObject &node, Edit edit)
		{
			edit(Held(node));
			node.RulesChanged();
		}

		void ClearFrame(uint32_t colour) { SDL_FillRect(engine.frameSurface, nullptr, colour); }
		uint32_t Frame(int x, int y) const { return engine.FramePixel(x, y) & RGB; }

		fs::path folder;
		fs::path previousFolder;
		TestEngine engine;
		// What the rules hold for each node; outlives the nodes.
		std::vector<std::unique_ptr<NetworkNode>> held;
		// Declared after the engine: nodes go first and end their own texts.
		std::vector<std::unique_ptr<NodeObject>> nodes;
	};

	uint32_t ImageMark(const ImageData &image)
	{
		return image.IsEmpty() ? 0 : image.PixelAt(0, 0) & RGB;
	}

	TEST_F(NodeTest, StandsAtItsCentreAndShowsWhatTheRulesHold)
	{
		NetworkNode rulesNode;
		NodeObject node(&engine, CENTRE_X, CENTRE_Y, 3, 4, rulesNode);
		EXPECT_EQ(node.GetState(), HIDDEN);
		EXPECT_FALSE(node.IsBehindRules());
		EXPECT_EQ(node.GetColumn(), 3);
		EXPECT_EQ(node.GetRow(), 4);
		EXPECT_EQ(node.x + node.drawOffsetX, LEFT);
		EXPECT_EQ(node.y + node.drawOffsetY, TOP);
		EXPECT_EQ(node.width, 60);
		EXPECT_EQ(node.height, 60);
		EXPECT_EQ(ImageMark(node.GetImage()), MarkColour("HiddenNode.png"));

		// Downwards, so every type but EMPTY is shown while the node is hidden.
		for(int type = DATA_CACHE; type >= EMPTY; --type)
		{
			SCOPED_TRACE("type " + std::to_string(type));
			rulesNode.SetType(type);
			EXPECT_TRUE(node.IsBehindRules());
			node.RulesChanged();
			EXPECT_FALSE(node.IsBehindRules());
			EXPECT_EQ(node.GetType(), type);
			EXPECT_EQ(node.GetState(), type == EMPTY ? REVEALED : HIDDEN);
		}
	}

	struct LookCase {
		int type;
		int state;
		const char *mainPicture;
		const char *overlayPicture;
		int discSize;
		int coherence;
		int strength;
	};

	// Each node is revealed first, so the rows for the other states also show
	// that they keep the values and drop the overlay and disc.
	const LookCase LOOKS[] = {
		{FIREWALL, HIDDEN, "HiddenNode.png", nullptr, 0, 60, 20},
		{DATA_CACHE, HIDDEN, "HiddenNode.png", nullptr, 0, 0, 0},
		{ANTIVIRUS, ENCRYPTED, "EncryptedNode.png", nullptr, 0, 30, 40},
		{ITEM_KERNEL_ROT, ENCRYPTED, "EncryptedNode.png", nullptr, 0, 0, 0},
		{SYSTEM_CORE, BLOCKED, "BlockedNode.png", nullptr, 0, 70, 10},
		{DATA_CACHE, BLOCKED, "BlockedNode.png", nullptr, 0, 0, 0},
		{HACKED, REVEALED, "HackedNode.png", nullptr, 35, 0, 0},
		{FIREWALL, REVEALED, "Firewall.png", nullptr, 52, 60, 20},
		{ANTIVIRUS, REVEALED, "Antivirus.png", nullptr, 52, 30, 40},
		{RESTORATION_NODE, REVEALED, "RestorationNode.png", nullptr, 52, 80, 10},
		{VIRUS_SUPPRESSOR, REVEALED, "VirusSuppressor.png", nullptr, 52, 80, 20},
		{SYSTEM_CORE, REVEALED, "SystemCore.png", nullptr, 52, 70, 10},
		{ITEM_SELF_REPAIR, REVEALED, "HackedNode.png", "ItemSelfRepair.png", 35, 0, 0},
		{ITEM_KERNEL_ROT, REVEALED, "HackedNode.png", "ItemKernelRot.png", 35, 0, 0},
		{ITEM_POLYMORPHIC_SHIELD, REVEALED, "HackedNode.png", "ItemPolymorphicShield.png", 35, 0, 0},
		{ITEM_SECONDARY_VECTOR, REVEALED, "HackedNode.png", "ItemSecondaryVector.png", 35, 0, 0},
		{DATA_CACHE, REVEALED, "HackedNode.png", "DataCache.png", 35, 0, 0},
	};

	TEST_F(NodeTest, LoadsThePicturesDiscAndValuesOfEveryStateAndType)
	{
		for(const LookCase &look : LOOKS)
		{
			SCOPED_TRACE(std::string(look.mainPicture) + " for type " + std::to_string(look.type) + ", state " +
				std::to_string(look.state));
			NodeObject &node = MakeNode(look.type, REVEALED);
			Change(node, [&look](NetworkNode &rulesNode) { rulesNode.SetState(look.state); });
			EXPECT_EQ(node.GetImage().GetWidth(), MAIN_SIZE);
			EXPECT_EQ(node.GetImage().GetHeight(), MAIN_SIZE);
			EXPECT_EQ(ImageMark(node.GetImage()), MarkColour(look.mainPicture));
			EXPECT_EQ(node.HasOverlay(), look.overlayPicture != nullptr);
			if(look.overlayPicture)
			{
				EXPECT_EQ(ImageMark(node.GetOverlayImage()), MarkColour(look.overlayPicture));
			}
			EXPECT_EQ(node.GetDiscSize(), look.discSize);
			EXPECT_EQ(node.GetCoherence(), look.coherence);
			EXPECT_EQ(node.GetStrength(), look.strength);
		}
	}

	// An opened Data Cache becoming a Defense Subsystem, then hacked.
	TEST_F(NodeTest, EveryTypeChangeBringsItsPictures)
	{
		NodeObject &cache = MakeNode(DATA_CACHE, REVEALED);
		Change(cache, [](NetworkNode &rulesNode) { rulesNode.SetType(VIRUS_SUPPRESSOR); });
		EXPECT_FALSE(cache.HasOverlay());
		EXPECT_EQ(cache.GetDiscSize(), 52);
		EXPECT_EQ(ImageMark(cache.GetImage()), MarkColour("VirusSuppressor.png"));

		Change(cache, [](NetworkNode &rulesNode) { rulesNode.SetType(HACKED); });
		EXPECT_EQ(cache.GetDiscSize(), 35);
		EXPECT_EQ(ImageMark(cache.GetImage()), MarkColour("HackedNode.png"));
	}

	TEST_F(NodeTest, EmptyOrUnknownLooksKeepThePictureButNothingElse)
	{
		NodeObject &fresh = MakeNode(EMPTY, REVEALED);
		EXPECT_TRUE(fresh.GetImage().IsEmpty());
		EXPECT_EQ(fresh.GetDiscSize(), 0);
		EXPECT_FALSE(fresh.HasOverlay());

		NodeObject &cache = MakeNode(DATA_CACHE, REVEALED);
		Change(cache, [](NetworkNode &rulesNode) { rulesNode.SetType(EMPTY); });
		EXPECT_EQ(ImageMark(cache.GetImage()), MarkColour("HackedNode.png"));
		EXPECT_EQ(cache.GetDiscSize(), 0);
		EXPECT_FALSE(cache.HasOverlay());

		NodeObject &firewall = MakeNode(FIREWALL, REVEALED);
		Change(firewall, [](NetworkNode &rulesNode) { rulesNode.SetState(REVEALED + 1); });
		EXPECT_EQ(ImageMark(firewall.GetImage()), MarkColour("Firewall.png"));
		EXPECT_EQ(firewall.GetDiscSize(), 0);
		EXPECT_EQ(firewall.GetCoherence(), 60);
	}

	struct DamageCase {
		int amount;
		const char *text;
		// Where the number is a quarter of the way through its flight.
		int quarterOffsetY;
	};

	// Damage sinks from 15 above the centre to 5 below; healing rises the same way.
	const DamageCase DAMAGE[] = {
		{25, "25", -10},
		{0, "0", -10},
		{-10, "10", 0},
		{-45, "45", 0},
	};

	TEST_F(NodeTest, DamageFloatsItsSizeDownAndHealingUp)
	{
		for(const DamageCase &damage : DAMAGE)
		{
			SCOPED_TRACE("amount " + std::to_string(damage.amount));
			NodeObject &node = MakeNode(FIREWALL, REVEALED);
			node.FloatDamage(damage.amount);
			EXPECT_EQ(node.GetCoherence(), 60) << "the rules' values are the rules' to change";

			AnimatedTextObject *text = node.GetFloatingText();
			ASSERT_NE(text, nullptr);
			EXPECT_EQ(text->GetText(), damage.text);
			const int startY = damage.amount >= 0 ? CENTRE_Y - 15 : CENTRE_Y + 5;
			EXPECT_EQ(text->x, CENTRE_X - 6);
			EXPECT_EQ(text->y, startY);
			text->Update(1000);
			text->Update(1250);
			EXPECT_EQ(text->x, CENTRE_X - 6);
			EXPECT_EQ(text->y, CENTRE_Y + damage.quarterOffsetY);
			EXPECT_TRUE(text->visible);
		}
	}

	TEST_F(NodeTest, DistanceHintFloatsUpCappedAtFiveAndNothingForZero)
	{
		NodeObject &node = MakeNode(HACKED, REVEALED);
		node.ShowDistanceHint(0);
		EXPECT_EQ(node.GetFloatingText(), nullptr);

		for(int distance : {1, 5, 9})
		{
			SCOPED_TRACE("distance " + std::to_string(distance));
			node.ShowDistanceHint(distance);
			AnimatedTextObject *text = node.GetFloatingText();
			ASSERT_NE(text, nullptr);
			EXPECT_EQ(text->GetText(), std::to_string(distance < 5 ? distance : 5));
			EXPECT_EQ(text->x, CENTRE_X - 4);
			EXPECT_EQ(text->y, CENTRE_Y - 10);
			text->Update(0);
			text->Update(600);
			EXPECT_EQ(text->y, CENTRE_Y - 13);
		}

		// A later zero leaves the last hint in place.
		AnimatedTextObject *last = node.GetFloatingText();
		node.ShowDistanceHint(0);
		EXPECT_EQ(node.GetFloatingText(), last);
	}

	// The whole life of the numbers in the object list, as the level uses it:
	// the node listed first, its texts after it, the engine tearing all down.
	TEST(NodeFloatingText, LivesInTheObjectListUntilReplacedOrTornDown)
	{
		NetworkNode rulesNode;
		rulesNode.Reset(FIREWALL);
		rulesNode.SetState(REVEALED);
		auto engine = std::make_unique<TestEngine>();
		NodeObject *node = new NodeObject(engine.get(), CENTRE_X, CENTRE_Y, 1, 1, rulesNode);
		engine->AddObject(node);

		node->FloatDamage(5);
		AnimatedTextObject *first = node->GetFloatingText();
		ASSERT_EQ(engine->ObjectCount(), 2);
		EXPECT_EQ(engine->ObjectAt(1), first);

		engine->UpdateObjects(100);
		engine->UpdateObjects(600);
		EXPECT_EQ(first->y, CENTRE_Y - 5);
		EXPECT_TRUE(first->visible);
		engine->UpdateObjects(1100);
		EXPECT_FALSE(first->visible);

		// Damage replaces the last number at once; a hint leaves it listed. The
		// list is checked by position: a new text may reuse a deleted one's address.
		node->FloatDamage(7);
		AnimatedTextObject *second = node->GetFloatingText();
		ASSERT_EQ(engine->ObjectCount(), 2);
		EXPECT_EQ(engine->ObjectAt(1), second);
		node->ShowDistanceHint(2);
		ASSERT_EQ(engine->ObjectCount(), 3);
		EXPECT_EQ(engine->ObjectAt(1), second);
		EXPECT_EQ(engine->ObjectAt(2), node->GetFloatingText());

		node->FloatDamage(9);
		ASSERT_EQ(engine->ObjectCount(), 3);
		EXPECT_EQ(engine->ObjectAt(0), node);
		EXPECT_EQ(engine->ObjectAt(1), second);
		EXPECT_EQ(engine->ObjectAt(2), node->GetFloatingText());
		EXPECT_EQ(node->GetFloatingText()->GetText(), "9");

		testing::internal::CaptureStderr();
		engine->DestroyAllObjects();
		const std::string errors = testing::internal::GetCapturedStderr();
		EXPECT_EQ(engine->ObjectCount(), 0);
		EXPECT_EQ(errors.find("FAILED"), std::string::npos) << errors;
	}

	// Counts the near-white pixels of a rectangle and finds the top-left of them.
	struct BrightArea {
		int count = 0;
		int left = INT_MAX;
		int top = INT_MAX;
	};

	BrightArea FindBright(const TestEngine &engine, int x1, int y1, int x2, int y2)
	{
		BrightArea area;
		for(int y = y1; y <= y2; ++y)
			for(int x = x1; x <= x2; ++x)
			{
				const uint32_t p = engine.FramePixel(x, y);
				if(((p >> 16) & 0xFF) < 0xC0 || ((p >> 8) & 0xFF) < 0xC0 || (p & 0xFF) < 0xC0)
					continue;
				++area.count;
				area.left = std::min(area.left, x);
				area.top = std::min(area.top, y);
			}
		return area;
	}

	TEST_F(NodeTest, UnrevealedNodeShowsOnlyItsStatePicture)
	{
		NodeObject &node = MakeNode(FIREWALL, HIDDEN);
		ClearFrame(BACKGROUND);
		node.x += 5;
		node.Draw();
		EXPECT_EQ(Frame(LEFT + 5 + 2, TOP + 2), MarkColour("HiddenNode.png"));
		EXPECT_EQ(Frame(LEFT + 5 + MARK_SIZE, TOP + MARK_SIZE), BACKGROUND);
		for(int x = CENTRE_X + 5 - 2; x <= CENTRE_X + 5 + 1; ++x)
			for(int y = CENTRE_Y - 2; y <= CENTRE_Y + 1; ++y)
				EXPECT_EQ(Frame(x, y), BACKGROUND) << "no disc at " << x << "," << y;
		EXPECT_EQ(FindBright(engine, LEFT, TOP - 10, LEFT + 70, TOP + 70).count, 0);
		EXPECT_EQ(node.previousX, CENTRE_X + 5);
	}

	TEST_F(NodeTest, RevealedItemShowsItsIconOverTheConnector)
	{
		NodeObject &node = MakeNode(ITEM_POLYMORPHIC_SHIELD, REVEALED);
		ClearFrame(BACKGROUND);
		node.Draw();
		EXPECT_EQ(Frame(LEFT + 2, TOP + 2), MarkColour("HackedNode.png"));
		EXPECT_EQ(Frame(LEFT + 10 + 2, TOP + 10 + 2), MarkColour("ItemPolymorphicShield.png"));
		EXPECT_EQ(Frame(CENTRE_X + 5, CENTRE_Y + 5), DISC);
		EXPECT_EQ(Frame(CENTRE_X - 19, CENTRE_Y), BACKGROUND);
		EXPECT_EQ(FindBright(engine, LEFT, TOP - 10, LEFT + 70, TOP + 70).count, 0);
	}

	TEST_F(NodeTest, RevealedTargetShowsItsDiscAndBothValues)
	{
		NodeObject &node = MakeNode(FIREWALL, REVEALED);
		ClearFrame(BACKGROUND);
		node.Draw();
		EXPECT_EQ(Frame(LEFT + 2, TOP + 2), MarkColour("Firewall.png"));
		EXPECT_EQ(Frame(CENTRE_X - 20, CENTRE_Y), DISC);
		EXPECT_EQ(Frame(CENTRE_X + 20, CENTRE_Y + 5), DISC);
		EXPECT_EQ(Frame(CENTRE_X - 27, CENTRE_Y), BACKGROUND);
		EXPECT_GT(FindBright(engine, LEFT + 20, TOP - 2, LEFT + 45, TOP + 20).count, 0);
		EXPECT_GT(FindBright(engine, LEFT + 20, TOP + 40, LEFT + 45, TOP + 70).count, 0);
	}

	// The numbers must sit exactly where the same text drawn on its own does;
	// drawn over the disc colour so the blending matches as well.
	TEST_F(NodeTest, ValuesSitAtTheirPlacesAndThreeDigitsMoveLeft)
	{
		Font *font = engine.GetFont("riftsans_regular.otf", 12);
		NodeObject &node = MakeNode(RESTORATION_NODE, REVEALED);
		struct Expected {
			int heal;
			const char *text;
			int x;
			int y;
			int searchTop;
			int searchBottom;
		};
		const Expected cases[] = {
			{0, "80", LEFT + 24, TOP - 1, TOP - 2, TOP + 25},
			{0, "10", LEFT + 24, TOP + 46, TOP + 35, TOP + 70},
			{20, "100", LEFT + 21, TOP - 1, TOP - 2, TOP + 25},
			{-105, "-5", LEFT + 24, TOP - 1, TOP - 2, TOP + 25},
		};
		for(const Expected &expected : cases)
		{
			SCOPED_TRACE(expected.text);
			if(expected.heal)
				Change(node, [&expected](NetworkNode &rulesNode) { rulesNode.TakeDamage(-expected.heal); });
			ClearFrame(DISC);
			node.Draw();
			const BrightArea drawn = FindBright(engine, LEFT, expected.searchTop, LEFT + 59, expected.searchBottom);
			ClearFrame(DISC);
			engine.DrawText(expected.x, expected.y, expected.text, 0xFFFFFF, font);
			const BrightArea alone = FindBright(engine, LEFT, expected.searchTop, LEFT + 59, expected.searchBottom);
			ASSERT_GT(alone.count, 0);
			EXPECT_EQ(drawn.count, alone.count);
			EXPECT_EQ(drawn.left, alone.left);
			EXPECT_EQ(drawn.top, alone.top);
		}
	}

	TEST_F(NodeTest, EmptyNodeDrawsNothingAndKeepsItsLastPosition)
	{
		NodeObject &node = MakeNode(EMPTY, REVEALED);
		node.x += 7;
		ClearFrame(BACKGROUND);
		node.Draw();
		EXPECT_FALSE(node.visible);
		EXPECT_EQ(node.previousX, CENTRE_X);
		for(int x = LEFT - 30; x < LEFT + 100; ++x)
			for(int y = TOP - 30; y < TOP + 100; ++y)
				ASSERT_EQ(Frame(x, y), BACKGROUND) << x << "," << y;
	}

	// A picture that failed to load reports width 0, which widens the disc
	// beyond the node rather than dropping it.
	TEST_F(NodeTest, MissingPictureStillDrawsTheDiscAndValues)
	{
		fs::remove(folder / "SystemCore.png");
		NodeObject &node = MakeNode(SYSTEM_CORE, REVEALED);
		EXPECT_TRUE(node.GetImage().IsEmpty());
		ClearFrame(BACKGROUND);
		node.Draw();
		EXPECT_EQ(Frame(CENTRE_X - 50, CENTRE_Y), DISC);
		EXPECT_EQ(Frame(CENTRE_X - 57, CENTRE_Y), BACKGROUND);
		EXPECT_GT(FindBright(engine, LEFT + 20, TOP + 40, LEFT + 45, TOP + 70).count, 0);
	}

	// Any change the rules make, be it of state or of a value alone, asks
	// for a redraw once the level tells the node; nothing else does.
	TEST_F(NodeTest, AsksForARedrawOnlyWhenTheRulesChangedIt)
	{
		NodeObject &node = MakeNode(FIREWALL, ENCRYPTED);
		node.Draw();
		engine.redrawNeeded = 0;
		node.Update(10);
		EXPECT_EQ(engine.redrawNeeded, 0);
		EXPECT_FALSE(node.IsBehindRules());

		Held(node).SetState(REVEALED);
		EXPECT_TRUE(node.IsBehindRules());
		node.RulesChanged();
		EXPECT_EQ(engine.redrawNeeded, 1);
		EXPECT_FALSE(node.IsBehindRules());

		engine.redrawNeeded = 0;
		Held(node).TakeDamage(3);
		EXPECT_TRUE(node.IsBehindRules());
		node.RulesChanged();
		EXPECT_EQ(engine.redrawNeeded, 1);
		EXPECT_EQ(node.GetCoherence(), 57);
	}

} // namespace
