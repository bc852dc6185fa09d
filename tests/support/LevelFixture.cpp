#include "support/LevelFixture.h"

#include "support/MapLetters.h"

#include "hud/ItemSlots.h"
#include "play/LevelMaker.h"

#include <dirent.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

	std::string CurrentDirectory()
	{
		char buffer[4096];
		return getcwd(buffer, sizeof(buffer)) ? buffer : "";
	}

	void LinkAssets(const std::string &from, const std::string &to)
	{
		DIR *dir = opendir(from.c_str());
		if(!dir)
			return;
		while(dirent *entry = readdir(dir))
		{
			const std::string name = entry->d_name;
			if(name == "." || name == ".." || name == "DATA" || name == "LastRun")
				continue;
			if(symlink((from + "/" + name).c_str(), (to + "/" + name).c_str()) != 0)
				ADD_FAILURE() << "cannot link " << name;
		}
		closedir(dir);
	}
}

std::string MapFromRows(const std::vector<std::string> &rows, int startColumn, int startRow)
{
	return MapTextOfLetters(rows, startColumn, startRow);
}

std::string MapFromTopRows(std::vector<std::string> rows, int startColumn, int startRow)
{
	return MapTextOfLetters(rows, startColumn, startRow);
}

std::vector<int> Draws(unsigned seed, int count)
{
	srand(seed);
	std::vector<int> draws;
	for(int i = 0; i < count; ++i)
		draws.push_back(rand());
	return draws;
}

unsigned SeedWhere(int drawIndex, const std::function<bool(int)> &test)
{
	for(unsigned seed = 1; seed < 100000; ++seed)
		if(test(Draws(seed, drawIndex + 1)[drawIndex]))
			return seed;
	ADD_FAILURE() << "no seed gives the draw wanted";
	return 1;
}

void LevelFixture::SetUp()
{
	previousDirectory = CurrentDirectory();
	char pattern[] = "/tmp/vexarift-level-XXXXXX";
	ASSERT_NE(mkdtemp(pattern), nullptr);
	directory = pattern;
	LinkAssets(VEXARIFT_GAME_DIR, directory);
	ASSERT_EQ(chdir(directory.c_str()), 0);
	engine = std::make_unique<TestEngine>();
}

void LevelFixture::TearDown()
{
	engine.reset();
	if(chdir(previousDirectory.c_str()) != 0)
		ADD_FAILURE() << "cannot return to " << previousDirectory;
	const std::string command = "rm -rf '" + directory + "'";
	if(system(command.c_str()) != 0)
		ADD_FAILURE() << "cannot remove " << directory;
}

LevelGameState *LevelFixture::StartLevel(const std::string &data, unsigned seed)
{
	std::ofstream("DATA") << data;
	srand(seed);
	level = LevelMaker::MakeLevel(engine.get());
	engine->SetNextState(level);
	Tick();
	EXPECT_EQ(engine->GetCurrentState(), level);
	return level;
}

void LevelFixture::Tick()
{
	tick = engine->nextTickTime > tick ? engine->nextTickTime : tick;
	engine->TickAt(tick);
	engine->RedrawScreen();
}

void LevelFixture::Click(int column, int row, int button)
{
	NodeObject *node = Node(column, row);
	engine->MouseDown(button, node->x, node->y);
}

void LevelFixture::CollectTopRowItems(int lastColumn)
{
	for(int column = 1; column <= lastColumn; ++column)
	{
		Click(column, 0);
		Click(column, 0);
	}
}

void LevelFixture::ClickSlot(int slot, int button)
{
	const int slotX = 300 + 40 + 120 * slot;
	const int slotY = engine->height - 130 + 40;
	engine->MouseDown(button, slotX + 25, slotY + 25);
}

void LevelFixture::Key(int keyCode)
{
	engine->KeyDown(keyCode);
}

void LevelFixture::Hover(int column, int row)
{
	NodeObject *node = Node(column, row);
	engine->MouseMoved(node->x, node->y);
}

void LevelFixture::MoveMouse(int x, int y)
{
	engine->MouseMoved(x, y);
}

void LevelFixture::TickAt(int time)
{
	tick = time;
	engine->TickAt(time);
	engine->RedrawScreen();
}

void LevelFixture::StartEngineOn(const std::function<std::unique_ptr<GameState>(VexaRiftEngine *)> &makeFirstState)
{
	level = nullptr;
	engine.reset();
	engine = std::make_unique<TestEngine>(makeFirstState);
	tick = 0;
}

uint32_t LevelFixture::LinkPixel(int columnA, int rowA, int columnB, int rowB) const
{
	const NodeObject *a = Node(columnA, rowA);
	const NodeObject *b = Node(columnB, rowB);
	const int midX = (a->x + b->x) / 2;
	const int midY = (a->y + b->y) / 2;
	return engine->BackgroundPixel((a->x + midX) / 2, (a->y + midY) / 2) & 0xFFFFFF;
}

bool LevelFixture::FrameDiffersFromBackground(int left, int top, int right, int bottom) const
{
	for(int y = top; y < bottom; ++y)
		for(int x = left; x < right; ++x)
			if((engine->FramePixel(x, y) & 0xFFFFFF) != (engine->BackgroundPixel(x, y) & 0xFFFFFF))
				return true;
	return false;
}
