// vexarift-mapgen [--count N] [--seed S] [--difficulty easy|normal|hard] [--out FILE] [--threads T]:
// makes N maps (12 by default) of one difficulty (normal by default) in
// the DATA format, each graded by the game's own scripted players, and
// writes them to FILE or to standard output. The grading runs on T threads,
// by default one per core.
//
// The same arguments and seed make byte for byte the same maps, whatever
// the number of threads. Without
// --seed the seed comes from the clock and is printed, so a good set can
// be made again. Standard error gets one line per map with its grade, a
// count now and then on long runs, and a summary.
//
// Exit status: 0 when every map was made and written, 1 when FILE cannot
// be written or the maps could not be made, 2 for bad arguments (nothing
// is written then).
#include "tools/mapgen/GradingPool.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cinttypes>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

namespace {
	const int DEFAULT_COUNT = 12;
	// A band no candidate reaches would otherwise keep the generator busy
	// for ever.
	const uint64_t CANDIDATES_PER_MAP = 400;
	const uint64_t PROGRESS_EVERY = 100;
	// More threads than this are surely a slip of the keyboard.
	const int MOST_THREADS = 64;

	struct Options {
		int count = DEFAULT_COUNT;
		uint32_t seed = 0;
		bool seedGiven = false;
		Difficulty difficulty = Difficulty::NORMAL;
		std::string out;
		int threads = 0;
	};

	bool ReadNumber(const char *text, unsigned long long most, unsigned long long &value)
	{
		if(*text < '0' || *text > '9')
			return false;
		char *end = nullptr;
		errno = 0;
		value = strtoull(text, &end, 10);
		return *end == '\0' && errno == 0 && value <= most;
	}

	bool ParseArguments(int argc, char **argv, Options &options)
	{
		for(int i = 1; i < argc; ++i)
		{
			const std::string argument = argv[i];
			if(i + 1 >= argc)
				return false;
			const char *value = argv[++i];
			unsigned long long number = 0;
			if(argument == "--count")
			{
				if(!ReadNumber(value, INT_MAX, number) || number == 0)
					return false;
				options.count = static_cast<int>(number);
			}
			else if(argument == "--seed")
			{
				if(!ReadNumber(value, UINT32_MAX, number))
					return false;
				options.seed = static_cast<uint32_t>(number);
				options.seedGiven = true;
			}
			else if(argument == "--difficulty")
			{
				if(!ParseDifficulty(value, options.difficulty))
					return false;
			}
			else if(argument == "--out" && *value)
				options.out = value;
			else if(argument == "--threads")
			{
				if(!ReadNumber(value, MOST_THREADS, number) || number == 0)
					return false;
				options.threads = static_cast<int>(number);
			}
			else
				return false;
		}
		return true;
	}

	uint32_t ClockSeed()
	{
		const auto now = std::chrono::system_clock::now().time_since_epoch();
		return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
	}

	// The maps go to a temporary file beside FILE, renamed over it at the
	// end, so FILE is never half written. A signal that ends the run takes
	// the temporary file with it.
	char temporaryPath[PATH_MAX] = "";

	void RemoveTemporaryAndDie(int signalNumber)
	{
		if(temporaryPath[0])
			unlink(temporaryPath);
		signal(signalNumber, SIG_DFL);
		raise(signalNumber);
	}

	int OpenTemporary(const std::string &out)
	{
		if(out.size() + 16 >= sizeof(temporaryPath))
			return -1;
		snprintf(temporaryPath, sizeof(temporaryPath), "%s.tmp-XXXXXX", out.c_str());
		const int fd = mkstemp(temporaryPath);
		if(fd < 0)
		{
			temporaryPath[0] = '\0';
			return -1;
		}
		// mkstemp makes the file private; DATA is an ordinary file.
		const mode_t mask = umask(0);
		umask(mask);
		fchmod(fd, 0666 & ~mask);
		signal(SIGINT, RemoveTemporaryAndDie);
		signal(SIGTERM, RemoveTemporaryAndDie);
		signal(SIGHUP, RemoveTemporaryAndDie);
		return fd;
	}

	bool WriteAll(int fd, const std::string &text)
	{
		for(size_t done = 0; done < text.size();)
		{
			const ssize_t written = write(fd, text.data() + done, text.size() - done);
			if(written < 0 && errno == EINTR)
				continue;
			if(written <= 0)
				return false;
			done += static_cast<size_t>(written);
		}
		return true;
	}

	struct Tally {
		uint64_t candidates = 0;
		uint64_t gamesPlayed = 0;
		int rejected[5] = {};
		int duplicates = 0;
		int sightedWins = 0;
		int sightedGames = 0;
		int sightedMoves = 0;
		int fullWins = 0;
		int fullGames = 0;
		int fullMoves = 0;
	};

	double Average(int total, int count)
	{
		return count ? static_cast<double>(total) / count : 0;
	}

	void ReportMap(int made, int count, const GradedCandidate &candidate)
	{
		const MapGrade &g = candidate.grade;
		fprintf(stderr,
			"map %d/%d (candidate %" PRIu64
			"): sighted won %d/%d in %.1f moves; full-knowledge won %d/%d in %.1f moves\n",
			made, count, candidate.index, g.sightedWins, g.sightedGames, Average(g.sightedMoves, g.sightedGames),
			g.fullWins, g.fullGames, Average(g.fullMoves, g.fullGames));
	}

	void ReportSummary(const Options &options, int made, const Tally &tally, double seconds)
	{
		fprintf(stderr,
			"made %d %s maps from seed %u in %.1f s: %" PRIu64 " games on %" PRIu64
			" candidates, rejected %d too easy, %d too hard, "
			"%d lost by the full-knowledge player, %d faulty, %d repeated; sighted won %.0f%% in %.1f moves, "
			"full-knowledge won %.0f%% in %.1f moves\n",
			made, NameOf(options.difficulty), options.seed, seconds, tally.gamesPlayed, tally.candidates,
			tally.rejected[static_cast<int>(Verdict::TOO_EASY)], tally.rejected[static_cast<int>(Verdict::TOO_HARD)],
			tally.rejected[static_cast<int>(Verdict::FULL_KNOWLEDGE_LOST)],
			tally.rejected[static_cast<int>(Verdict::FAULTY)], tally.duplicates,
			100 * Average(tally.sightedWins, tally.sightedGames), Average(tally.sightedMoves, tally.sightedGames),
			100 * Average(tally.fullWins, tally.fullGames), Average(tally.fullMoves, tally.fullGames));
	}

	void Count(Tally &tally, const MapGrade &grade)
	{
		tally.sightedWins += grade.sightedWins;
		tally.sightedGames += grade.sightedGames;
		tally.sightedMoves += grade.sightedMoves;
		tally.fullWins += grade.fullWins;
		tally.fullGames += grade.fullGames;
		tally.fullMoves += grade.fullMoves;
	}

	// Takes the graded candidates in order until enough maps are made or
	// too many candidates were tried; the maps made, each once.
	int MakeMaps(const Options &options, std::string &maps, Tally &tally)
	{
		GradingPool pool(options.seed, options.difficulty, options.threads ? options.threads : WorkerCount());
		std::set<std::string> seen;
		int made = 0;
		while(made < options.count && tally.candidates < CANDIDATES_PER_MAP * static_cast<uint64_t>(options.count))
		{
			const GradedCandidate candidate = pool.Next();
			++tally.candidates;
			tally.gamesPlayed += static_cast<uint64_t>(candidate.gamesPlayed);
			if(tally.candidates % PROGRESS_EVERY == 0)
				fprintf(
					stderr, "%" PRIu64 " candidates tried, %d/%d maps made\n", tally.candidates, made, options.count);
			if(candidate.grade.verdict != Verdict::ACCEPTED)
			{
				++tally.rejected[static_cast<int>(candidate.grade.verdict)];
				continue;
			}
			if(!seen.insert(candidate.dataText).second)
			{
				++tally.duplicates;
				continue;
			}
			++made;
			Count(tally, candidate.grade);
			ReportMap(made, options.count, candidate);
			maps += (made > 1 ? "\n" : "") + candidate.dataText;
		}
		return made;
	}
}

int main(int argc, char **argv)
{
	Options options;
	if(!ParseArguments(argc, argv, options))
	{
		fprintf(stderr,
			"usage: %s [--count N] [--seed S] [--difficulty easy|normal|hard] [--out FILE] [--threads T]\n"
			"  N is a positive number of maps (12), S a number from 0 to %u (from the clock),\n"
			"  T the threads that grade, 1 to %d (one per core); T never changes the maps\n",
			argv[0], UINT32_MAX, MOST_THREADS);
		return 2;
	}
	if(!options.seedGiven)
		options.seed = ClockSeed();
	int out = STDOUT_FILENO;
	struct stat existing;
	if(!options.out.empty() && stat(options.out.c_str(), &existing) == 0 && S_ISDIR(existing.st_mode))
	{
		fprintf(stderr, "vexarift-mapgen: cannot write %s: it is a directory\n", options.out.c_str());
		return 1;
	}
	if(!options.out.empty())
	{
		out = OpenTemporary(options.out);
		if(out < 0)
		{
			fprintf(stderr, "vexarift-mapgen: cannot write %s: %s\n", options.out.c_str(), strerror(errno));
			return 1;
		}
	}
	fprintf(stderr, "vexarift-mapgen: %d %s maps from seed %u (--seed %u makes them again)\n", options.count,
		NameOf(options.difficulty), options.seed, options.seed);

	const auto started = std::chrono::steady_clock::now();
	std::string maps;
	Tally tally;
	const int made = MakeMaps(options, maps, tally);
	const bool failed = made < options.count;
	const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
	ReportSummary(options, made, tally, seconds);
	if(failed)
	{
		fprintf(stderr, "vexarift-mapgen: could not make %d %s maps; nothing written\n", options.count,
			NameOf(options.difficulty));
		if(temporaryPath[0])
			unlink(temporaryPath);
		return 1;
	}
	if(!WriteAll(out, maps) ||
		(out != STDOUT_FILENO &&
			(fsync(out) != 0 || close(out) != 0 || rename(temporaryPath, options.out.c_str()) != 0)))
	{
		fprintf(stderr, "vexarift-mapgen: cannot write %s: %s\n",
			options.out.empty() ? "standard output" : options.out.c_str(), strerror(errno));
		if(temporaryPath[0])
			unlink(temporaryPath);
		return 1;
	}
	return 0;
}
