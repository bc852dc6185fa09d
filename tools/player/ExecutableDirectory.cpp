#include "tools/player/ExecutableDirectory.h"

#include <unistd.h>

#include <climits>

std::string ExecutableDirectory()
{
	char path[PATH_MAX];
	const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
	if(length <= 0)
		return ".";
	std::string text(path, length);
	return text.substr(0, text.find_last_of('/'));
}

std::string GameDataDirectory()
{
	const std::string here = ExecutableDirectory();
	// The run folder holds the game's files beside its programs.
	if(access((here + "/StartMenu.jpg").c_str(), R_OK) == 0)
		return here;
	return here + "/" + VEXARIFT_DATA_FROM_BIN;
}
