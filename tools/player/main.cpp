// vexarift-player [DATA] [--seeds N] [--moves N] [--assets DIR] [--trace]: plays every
// map of a map file with the scripted player under the seeds 1..N (10 by
// default) and prints how often each map is won.
//
// --trace writes every move of every game to standard error.
// DATA defaults to DATA in the working directory; the pictures and fonts
// come from DIR, by default the folder the player itself lives in (the
// game's run folder) or, for an installed player, the installed game data.
// Exit status: 0 when every map is won at least once, 1 when a map never is
// or cannot be played, 2 on a usage or file error.
#include "tools/player/MapSurvey.h"
#include "tools/player/PlaySession.h"

#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {
	const int DEFAULT_SEEDS = 10;
	const int DEFAULT_MOVES = 200;

	struct Options {
		std::string dataFile = "DATA";
		std::string assetDirectory;
		int seeds = DEFAULT_SEEDS;
		int moves = DEFAULT_MOVES;
		bool trace = false;
	};

	std::string ExecutableDirectory()
	{
		char path[PATH_MAX];
		const ssize_t length = readlink("/proc/self/exe", path, sizeof(path) - 1);
		if(length <= 0)
			return ".";
		std::string text(path, length);
		return text.substr(0, text.find_last_of('/'));
	}

	std::string DefaultAssetDirectory()
	{
		const std::string here = ExecutableDirectory();
		// The run folder holds the game's files beside its programs.
		if(access((here + "/StartMenu.jpg").c_str(), R_OK) == 0)
			return here;
		return here + "/" + VEXARIFT_DATA_FROM_BIN;
	}

	bool ReadCount(const char *text, int &count)
	{
		char *end = nullptr;
		const long value = strtol(text, &end, 10);
		if(*text == '\0' || *end != '\0' || value < 1 || value > INT_MAX)
			return false;
		count = static_cast<int>(value);
		return true;
	}

	bool ParseArguments(int argc, char **argv, Options &options)
	{
		bool dataGiven = false;
		for(int i = 1; i < argc; ++i)
		{
			const std::string argument = argv[i];
			const bool hasValue = i + 1 < argc;
			if(argument == "--seeds" && hasValue)
			{
				if(!ReadCount(argv[++i], options.seeds))
					return false;
			}
			else if(argument == "--moves" && hasValue)
			{
				if(!ReadCount(argv[++i], options.moves))
					return false;
			}
			else if(argument == "--trace")
				options.trace = true;
			else if(argument == "--assets" && hasValue)
				options.assetDirectory = argv[++i];
			else if(argument.rfind("--", 0) != 0 && !dataGiven)
			{
				options.dataFile = argument;
				dataGiven = true;
			}
			else
				return false;
		}
		if(options.assetDirectory.empty())
			options.assetDirectory = DefaultAssetDirectory();
		return true;
	}
}

int main(int argc, char **argv)
{
	Options options;
	if(!ParseArguments(argc, argv, options))
	{
		fprintf(stderr, "usage: %s [DATA] [--seeds N] [--moves N] [--assets DIR] [--trace]\n", argv[0]);
		return 2;
	}
	std::ifstream in(options.dataFile);
	if(!in)
	{
		fprintf(stderr, "Cannot read %s\n", options.dataFile.c_str());
		return 2;
	}
	std::ostringstream text;
	text << in.rdbuf();
	const MapSurvey survey(text.str());

	PlaySession session(options.assetDirectory);
	if(!session.IsReady())
	{
		fprintf(stderr, "Cannot set up a game with the pictures and fonts of %s\n",
			options.assetDirectory.c_str());
		return 2;
	}
	if(options.trace)
		session.SetTrace(stderr);
	bool allWon = !survey.Maps().empty();
	for(const SurveyedMap &map : survey.Maps())
	{
		const MapWinRate rate = survey.Play(map, session, options.seeds, options.moves);
		printf("%s\n", MapSurvey::Describe(rate).c_str());
		fflush(stdout);
		allWon = allWon && rate.wins > 0;
	}
	if(survey.Maps().empty())
		printf("no maps in %s\n", options.dataFile.c_str());
	return allWon ? 0 : 1;
}
