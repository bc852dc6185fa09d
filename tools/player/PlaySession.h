#ifndef VEXARIFT_TOOLS_PLAYER_PLAYSESSION_H
#define VEXARIFT_TOOLS_PLAYER_PLAYSESSION_H

#include "tools/player/LevelView.h"
#include "tools/player/ScriptedPlayer.h"

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

class LevelGameState;
class VexaRiftEngine;

// Who plays: the player who knows the map, or the one who sees only the
// screen.
enum class PlayerKind { FULL_KNOWLEDGE, SIGHTED };

// Where the scripted player's games run: a fresh temporary directory that
// links the game's pictures and fonts, and one engine under SDL's dummy
// video driver that plays level after level in it.
//
// The game opens DATA, LastRun and its pictures by bare name, so the
// session makes its directory the working directory for its whole life and
// goes back to the previous one at the end. Only one session should exist
// at a time.
class PlaySession {
public:
	// assetDirectory is the game's run folder; its DATA and LastRun are not
	// linked, the session writes its own.
	explicit PlaySession(const std::string &assetDirectory);
	~PlaySession();
	PlaySession(const PlaySession &) = delete;
	PlaySession &operator=(const PlaySession &) = delete;

	// False when the directory or the engine could not be set up.
	bool IsReady() const { return engine != nullptr; }

	// Writes dataText as DATA, seeds rand() and plays the level to its end.
	// The level picks its map at random, so give one map to play that one.
	// The game's own console chatter is muted while it plays.
	GameResult Play(const std::string &dataText, unsigned seed, int moveLimit,
		PlayerKind kind = PlayerKind::FULL_KNOWLEDGE);

	// What the sighted player sees as the level opens, before any move.
	LevelView StartingView(const std::string &dataText);

	// Where the player traces its moves; null (the default) for none.
	void SetTrace(FILE *trace) { this->trace = trace; }

private:
	// Writes dataText as DATA, seeds rand() and lets the level take over.
	LevelGameState *StartLevel(const std::string &dataText, unsigned seed);
	bool LinkAssets(const std::string &from);
	void RemoveDirectory();

	std::string directory;
	std::string previousDirectory;
	std::vector<std::string> createdFiles;
	std::unique_ptr<VexaRiftEngine> engine;
	FILE *trace = nullptr;
};

#endif
