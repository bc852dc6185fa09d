#include "tools/player/PlaySession.h"

#include "engine/VexaRiftEngine.h"
#include "play/LevelGameState.h"
#include "tools/player/IdleState.h"
#include "tools/player/LevelWindow.h"
#include "tools/player/MutedOutput.h"
#include "tools/player/SightedPlayer.h"

#include <dirent.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {
	const int WIDTH = 1280;
	const int HEIGHT = 720;
	const char *const DATA_FILE = "DATA";
	const char *const LAST_RUN_FILE = "LastRun";

	std::string CurrentDirectory()
	{
		char buffer[PATH_MAX];
		return getcwd(buffer, sizeof(buffer)) ? buffer : "";
	}

	std::unique_ptr<GameState> MakeIdleState(VexaRiftEngine *engine)
	{
		return std::make_unique<IdleState>(engine);
	}
}

PlaySession::PlaySession(const std::string &assetDirectory)
	: previousDirectory(CurrentDirectory())
{
	char pattern[] = "/tmp/vexarift-player-XXXXXX";
	if(!mkdtemp(pattern))
		return;
	directory = pattern;
	const bool relative = assetDirectory.empty() || assetDirectory[0] != '/';
	if(!LinkAssets(relative ? previousDirectory + "/" + assetDirectory : assetDirectory) || chdir(directory.c_str()) != 0)
		return;
	// Headless whatever the environment says: the player never shows a window.
	setenv("SDL_VIDEODRIVER", "dummy", 1);
	auto made = std::make_unique<VexaRiftEngine>(MakeIdleState);
	if(made->Initialise("Vexa Rift player", WIDTH, HEIGHT, nullptr, 0) == 0)
	{
		engine = std::move(made);
		// Every game ends on an end screen: decode its picture once, not per game.
		engine->screenPictures.SetKeeping(PictureCache::Keeping::UNTIL_FORGET);
	}
}

PlaySession::~PlaySession()
{
	{
		// The font cache says goodbye to every font.
		MutedOutput muted;
		engine.reset();
	}
	if(!previousDirectory.empty() && chdir(previousDirectory.c_str()) != 0)
		fprintf(stderr, "Cannot return to %s\n", previousDirectory.c_str());
	RemoveDirectory();
}

GameResult PlaySession::Play(const std::string &dataText, unsigned seed, int moveLimit, PlayerKind kind)
{
	if(!engine)
		return GameResult();
	MutedOutput muted;
	if(trace)
		fprintf(trace, "game under seed %u\n", seed);
	LevelGameState *level = StartLevel(dataText, seed);
	if(kind == PlayerKind::SIGHTED)
	{
		LevelWindow window(engine.get(), level);
		SightedPlayer player(window, seed);
		player.SetTrace(trace);
		return player.Play(moveLimit);
	}
	ScriptedPlayer player(engine.get(), level);
	player.SetTrace(trace);
	return player.Play(moveLimit);
}

LevelView PlaySession::StartingView(const std::string &dataText)
{
	if(!engine)
		return LevelView();
	MutedOutput muted;
	return LevelWindow(engine.get(), StartLevel(dataText, 1)).Look();
}

LevelGameState *PlaySession::StartLevel(const std::string &dataText, unsigned seed)
{
	std::ofstream(DATA_FILE, std::ios::trunc) << dataText;
	srand(seed);
	auto *level = new LevelGameState(engine.get(), engine->width);
	engine->SetNextState(level);
	engine->currentTick = std::max(engine->currentTick, engine->nextTickTime);
	engine->GameAction();
	return level;
}

bool PlaySession::LinkAssets(const std::string &from)
{
	DIR *dir = opendir(from.c_str());
	if(!dir)
	{
		fprintf(stderr, "Cannot read the game's folder %s\n", from.c_str());
		return false;
	}
	bool linked = true;
	while(dirent *entry = readdir(dir))
	{
		const std::string name = entry->d_name;
		if(name == "." || name == ".." || name == DATA_FILE || name == LAST_RUN_FILE)
			continue;
		const std::string link = directory + "/" + name;
		if(symlink((from + "/" + name).c_str(), link.c_str()) == 0)
			createdFiles.push_back(link);
		else
			linked = false;
	}
	closedir(dir);
	createdFiles.push_back(directory + "/" + DATA_FILE);
	createdFiles.push_back(directory + "/" + LAST_RUN_FILE);
	return linked;
}

// Only what the session made is removed; a file someone else put there
// keeps the directory alive rather than being deleted blindly.
void PlaySession::RemoveDirectory()
{
	if(directory.empty())
		return;
	for(const std::string &file : createdFiles)
		unlink(file.c_str());
	rmdir(directory.c_str());
}
