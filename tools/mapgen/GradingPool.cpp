#include "tools/mapgen/GradingPool.h"

#include "leveldata/MapLoader.h"
#include "tools/mapgen/MapGenerator.h"

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cinttypes>
#include <csignal>

namespace {
	const int RECORD_LINES = 12;
	// More workers than this only crowd a shared machine.
	const int MOST_WORKERS = 8;
	// A candidate that misses its band is nudged and graded again this
	// many times before it is given up.
	const int NUDGES = 3;

	volatile std::sig_atomic_t stopRequested = 0;

	void RequestStop(int)
	{
		stopRequested = 1;
	}

	bool Missed(Verdict verdict)
	{
		return verdict == Verdict::TOO_EASY || verdict == Verdict::TOO_HARD || verdict == Verdict::FULL_KNOWLEDGE_LOST;
	}

	int GamesIn(const MapGrade &grade)
	{
		return grade.sightedGames + grade.fullGames;
	}

	void WriteGrade(FILE *out, uint64_t index, const MapGrade &grade, int gamesPlayed, const std::string &dataText)
	{
		fprintf(out, "%" PRIu64 " %d %d %d %d %d %d %d %d\n%s", index, static_cast<int>(grade.verdict),
			grade.sightedWins, grade.sightedGames, grade.sightedMoves, grade.fullWins, grade.fullGames,
			grade.fullMoves, gamesPlayed, dataText.c_str());
	}

	bool ReadGrade(FILE *in, GradedCandidate &candidate)
	{
		uint64_t index = 0;
		int verdict = 0;
		MapGrade &grade = candidate.grade;
		if(fscanf(in, "%" SCNu64 " %d %d %d %d %d %d %d %d\n", &index, &verdict, &grade.sightedWins,
				&grade.sightedGames, &grade.sightedMoves, &grade.fullWins, &grade.fullGames, &grade.fullMoves,
				&candidate.gamesPlayed) != 9)
			return false;
		candidate.index = index;
		grade.verdict = static_cast<Verdict>(verdict);
		candidate.dataText.clear();
		char line[512];
		for(int i = 0; i < RECORD_LINES; ++i)
		{
			if(!fgets(line, sizeof(line), in))
				return false;
			candidate.dataText += line;
		}
		return true;
	}

	// The worker's whole life: grade its share of candidates until the
	// parent stops reading or asks it to stop.
	void RunWorker(int out, int index, int count, uint32_t seed, Difficulty difficulty,
		const std::string &assetDirectory)
	{
		signal(SIGPIPE, SIG_IGN);
		signal(SIGTERM, RequestStop);
		signal(SIGINT, RequestStop);
		// A parent that dies, however it dies, stops its workers too.
		prctl(PR_SET_PDEATHSIG, SIGTERM);
		FILE *results = fdopen(out, "w");
		if(!results)
			return;
		const MapGenerator generator(seed, difficulty);
		MapGrader grader(assetDirectory, difficulty);
		grader.StopWhen(&stopRequested);
		for(uint64_t candidate = index; grader.IsReady() && !stopRequested; candidate += count)
		{
			MapRecord map = generator.Candidate(candidate);
			MapGrade grade = grader.Grade(map);
			int gamesPlayed = GamesIn(grade);
			for(int attempt = 0; attempt < NUDGES && Missed(grade.verdict); ++attempt)
			{
				map = generator.Nudge(map, candidate, attempt, grade.verdict == Verdict::TOO_EASY);
				grade = grader.Grade(map);
				gamesPlayed += GamesIn(grade);
			}
			if(stopRequested)
				break;
			WriteGrade(results, candidate, grade, gamesPlayed, FormatMapRecord(map));
			if(fflush(results) != 0)
				break;
		}
		fclose(results);
	}
}

int WorkerCount()
{
	const long cores = sysconf(_SC_NPROCESSORS_ONLN);
	return static_cast<int>(std::max(1L, std::min<long>(cores, MOST_WORKERS)));
}

GradingPool::GradingPool(uint32_t seed, Difficulty difficulty, const std::string &assetDirectory, int workerCount)
{
	for(int i = 0; i < workerCount; ++i)
		StartWorker(i, workerCount, seed, difficulty, assetDirectory);
	if(static_cast<int>(workers.size()) != workerCount)
		Stop();
}

GradingPool::~GradingPool()
{
	Stop();
}

void GradingPool::StartWorker(int index, int count, uint32_t seed, Difficulty difficulty,
	const std::string &assetDirectory)
{
	int pipeEnds[2];
	if(pipe(pipeEnds) != 0)
		return;
	fflush(nullptr);
	const pid_t pid = fork();
	if(pid < 0)
	{
		close(pipeEnds[0]);
		close(pipeEnds[1]);
		return;
	}
	if(pid == 0)
	{
		close(pipeEnds[0]);
		// The parent's other pipes are not this worker's business.
		for(const Worker &worker : workers)
			fclose(worker.results);
		RunWorker(pipeEnds[1], index, count, seed, difficulty, assetDirectory);
		_exit(0);
	}
	close(pipeEnds[1]);
	Worker worker;
	worker.pid = pid;
	worker.results = fdopen(pipeEnds[0], "r");
	if(!worker.results)
	{
		close(pipeEnds[0]);
		kill(pid, SIGTERM);
		waitpid(pid, nullptr, 0);
		return;
	}
	workers.push_back(worker);
}

bool GradingPool::Next(GradedCandidate &candidate)
{
	if(workers.empty())
		return false;
	Worker &worker = workers[nextIndex % workers.size()];
	if(!ReadGrade(worker.results, candidate) || candidate.index != nextIndex)
		return false;
	++nextIndex;
	return true;
}

void GradingPool::Stop()
{
	for(Worker &worker : workers)
	{
		fclose(worker.results);
		kill(worker.pid, SIGTERM);
	}
	for(Worker &worker : workers)
		waitpid(worker.pid, nullptr, 0);
	workers.clear();
}
