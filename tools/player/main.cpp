// vexarift-player [DATA] [--sighted] [--seeds N] [--moves N] [--assets DIR] [--trace]:
// plays every map of a map file under the seeds 1..N (10 by default) and
// prints how often each map is won.
//
// By default the full-knowledge player plays, who knows every node of the
// map. --sighted has the sighted player play, who sees only what the
// screen shows; the full-knowledge player then plays the same seeds too,
// and each line gives both win rates and the average number of moves, for
// the map author. --trace writes every move of every game to standard
// error.
// DATA defaults to DATA in the working directory. The games are played on
// the rules alone, without pictures or fonts: --assets is still accepted
// for the scripts that give it, and changes nothing.
// Exit status: 0 when every map is won at least once, 1 when a map never is
// or cannot be played, 2 on a usage or file error.
#include "tools/player/MapSurvey.h"

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
		int seeds = DEFAULT_SEEDS;
		int moves = DEFAULT_MOVES;
		bool trace = false;
		bool sighted = false;
	};

	bool ReadCount(const char *text, int &count)
	{
		char *end = nullptr;
		const long value = strtol(text, &end, 10);
		if(*text == '\0' || *end != '\0' || value < 1 || value > INT_MAX)
			return false;
		count = static_cast<int>(value);
		return true;
	}

	void Add(MapWinRate &total, const MapWinRate &rate)
	{
		total.wins += rate.wins;
		total.games += rate.games;
		total.moves += rate.moves;
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
			else if(argument == "--sighted")
				options.sighted = true;
			else if(argument == "--assets" && hasValue)
				++i;
			else if(argument.rfind("--", 0) != 0 && !dataGiven)
			{
				options.dataFile = argument;
				dataGiven = true;
			}
			else
				return false;
		}
		return true;
	}
}

int main(int argc, char **argv)
{
	Options options;
	if(!ParseArguments(argc, argv, options))
	{
		fprintf(stderr,
			"usage: %s [DATA] [--sighted] [--seeds N] [--moves N] [--assets DIR] [--trace]\n"
			"  --assets is accepted and ignored: the games need no pictures or fonts\n",
			argv[0]);
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
	FILE *trace = options.trace ? stderr : nullptr;
	bool allWon = !survey.Maps().empty();
	MapWinRate sightedTotal;
	MapWinRate fullTotal;
	for(const SurveyedMap &map : survey.Maps())
	{
		if(!options.sighted)
		{
			const MapWinRate rate = survey.Play(map, options.seeds, options.moves, Sight::FULL_KNOWLEDGE, trace);
			printf("%s\n", MapSurvey::Describe(rate).c_str());
			allWon = allWon && rate.wins > 0;
			fflush(stdout);
			continue;
		}
		const MapWinRate sighted = survey.Play(map, options.seeds, options.moves, Sight::SIGHTED, trace);
		const MapWinRate full = survey.Play(map, options.seeds, options.moves, Sight::FULL_KNOWLEDGE, trace);
		printf("%s\n", MapSurvey::DescribeBoth(sighted, full).c_str());
		fflush(stdout);
		allWon = allWon && sighted.wins > 0;
		Add(sightedTotal, sighted);
		Add(fullTotal, full);
	}
	if(survey.Maps().empty())
		printf("no maps in %s\n", options.dataFile.c_str());
	else if(options.sighted && sightedTotal.games > 0)
		printf("all maps: sighted won %.0f%% in %.1f moves; full-knowledge won %.0f%% in %.1f moves\n",
			100.0 * sightedTotal.wins / sightedTotal.games, sightedTotal.AverageMoves(),
			100.0 * fullTotal.wins / fullTotal.games, fullTotal.AverageMoves());
	return allWon ? 0 : 1;
}
