#ifndef VEXARIFT_TOOLS_PLAYER_EXECUTABLEDIRECTORY_H
#define VEXARIFT_TOOLS_PLAYER_EXECUTABLEDIRECTORY_H

#include <string>

// The folder the running program lives in: for the tools, the game's run
// folder with its pictures and fonts. "." when it cannot be told.
std::string ExecutableDirectory();

// Where the game's pictures and fonts are for a tool: its own folder in the
// run folder, the installed game data for an installed tool.
std::string GameDataDirectory();

#endif
