#include "tools/benchmark/BenchStage.h"

#include "engine/VexaRiftEngine.h"
#include "play/LevelGameState.h"
#include "play/LevelMaker.h"
#include "scenes/BusiestLevel.h"
#include "tools/player/IdleState.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {
	const int WIDTH = 1280;
	const int HEIGHT = 720;
	const int TICK_MS = 10;
	const char *const DATA_FILE = "DATA";
	const char *const LAST_RUN_FILE = "LastRun";

	std::unique_ptr<GameState> MakeBareScreen(VexaRiftEngine *engine)
	{
		return std::make_unique<IdleState>(engine);
	}
}

BenchStage::BenchStage(const std::string &runFolder) : previousFolder(std::filesystem::current_path().string())
{
	std::string pattern = (std::filesystem::temp_directory_path() / "vexarift-bench-XXXXXX").string();
	if(!mkdtemp(pattern.data()))
		return;
	folder = pattern;
	if(!LinkRunFolder(runFolder) || chdir(folder.c_str()) != 0)
		return;
	std::ofstream(DATA_FILE) << BusiestLevelData();
	auto made = std::make_unique<VexaRiftEngine>(MakeBareScreen);
	if(made->Initialise("Vexa Rift bench", WIDTH, HEIGHT, nullptr, 0) == 0)
	{
		engine = std::move(made);
		// Every game ends on an end screen: decode its picture once, not per game.
		engine->screenPictures.SetKeeping(PictureCache::Keeping::UNTIL_FORGET);
	}
}

BenchStage::~BenchStage()
{
	engine.reset();
	if(chdir(previousFolder.c_str()) != 0)
		fprintf(stderr, "Cannot return to %s\n", previousFolder.c_str());
	if(!folder.empty())
	{
		std::error_code ignored;
		std::filesystem::remove_all(folder, ignored);
	}
}

// Links only: remove_all then takes the links and leaves the run folder be.
bool BenchStage::LinkRunFolder(const std::string &runFolder)
{
	std::error_code error;
	for(const auto &entry : std::filesystem::directory_iterator(runFolder, error))
	{
		const std::string name = entry.path().filename().string();
		if(name == DATA_FILE || name == LAST_RUN_FILE)
			continue;
		std::filesystem::create_symlink(std::filesystem::absolute(entry.path()), folder + "/" + name, error);
		if(error)
			break;
	}
	if(error)
		fprintf(stderr, "Cannot link the run folder %s: %s\n", runFolder.c_str(), error.message().c_str());
	return !error;
}

LevelGameState *BenchStage::StartBusiestLevel()
{
	LevelGameState *level = LevelMaker::MakeLevel(engine.get());
	engine->SetNextState(level);
	Pass();
	return level;
}

void BenchStage::ShowBareScreen()
{
	engine->SetNextState(new IdleState(engine.get()));
	Pass();
}

void BenchStage::Pass()
{
	tick = std::max(tick + TICK_MS, engine->nextTickTime);
	engine->RunPass(tick);
}

// A window already of that size is left be: SDL would still announce a new
// size, and the renderer make the window's pixels anew.
void BenchStage::ResizeWindow(int width, int height)
{
	int currentWidth = 0;
	int currentHeight = 0;
	SDL_GetWindowSize(engine->window, &currentWidth, &currentHeight);
	if(currentWidth == width && currentHeight == height)
		return;
	SDL_SetWindowSize(engine->window, width, height);
	Pass();
}
