#include "tools/mapgen/GradingPool.h"

#include "leveldata/MapLoader.h"
#include "tools/mapgen/MapGenerator.h"

#include <algorithm>

namespace {
	// More workers than this only crowd a shared machine.
	const int MOST_WORKERS = 8;
	// How far a worker grades ahead of what has been taken from it.
	const size_t AHEAD = 4;
	// A candidate that misses its band is nudged and graded again this
	// many times before it is given up.
	const int NUDGES = 3;

	bool Missed(Verdict verdict)
	{
		return verdict == Verdict::TOO_EASY || verdict == Verdict::TOO_HARD || verdict == Verdict::FULL_KNOWLEDGE_LOST;
	}

	int GamesIn(const MapGrade &grade)
	{
		return grade.sightedGames + grade.fullGames;
	}

	GradedCandidate GradeCandidate(const MapGenerator &generator, const MapGrader &grader, uint64_t index)
	{
		GradedCandidate candidate;
		candidate.index = index;
		MapRecord map = generator.Candidate(index);
		candidate.grade = grader.Grade(map);
		candidate.gamesPlayed = GamesIn(candidate.grade);
		for(int attempt = 0; attempt < NUDGES && Missed(candidate.grade.verdict); ++attempt)
		{
			map = generator.Nudge(map, index, attempt, candidate.grade.verdict == Verdict::TOO_EASY);
			candidate.grade = grader.Grade(map);
			candidate.gamesPlayed += GamesIn(candidate.grade);
		}
		candidate.dataText = FormatMapRecord(map);
		return candidate;
	}
}

int WorkerCount()
{
	const int cores = static_cast<int>(std::thread::hardware_concurrency());
	return std::max(1, std::min(cores, MOST_WORKERS));
}

GradingPool::GradingPool(uint32_t seed, Difficulty difficulty, int workerCount) : workers(std::max(1, workerCount))
{
	for(size_t w = 0; w < workers.size(); ++w)
		workers[w].thread = std::thread(&GradingPool::Grade, this, static_cast<int>(w), seed, difficulty);
}

GradingPool::~GradingPool()
{
	stopping = true;
	changed.notify_all();
	for(Worker &worker : workers)
		worker.thread.join();
}

void GradingPool::Grade(int worker, uint32_t seed, Difficulty difficulty)
{
	const MapGenerator generator(seed, difficulty);
	MapGrader grader(difficulty);
	grader.StopWhen(&stopping);
	const uint64_t count = workers.size();
	for(uint64_t index = worker; !stopping; index += count)
	{
		GradedCandidate candidate = GradeCandidate(generator, grader, index);
		std::unique_lock<std::mutex> lock(mutex);
		std::deque<GradedCandidate> &done = workers[worker].done;
		changed.wait(lock, [&] { return stopping || done.size() < AHEAD; });
		if(stopping)
			return;
		done.push_back(std::move(candidate));
		changed.notify_all();
	}
}

GradedCandidate GradingPool::Next()
{
	std::unique_lock<std::mutex> lock(mutex);
	std::deque<GradedCandidate> &done = workers[nextIndex % workers.size()].done;
	changed.wait(lock, [&] { return !done.empty(); });
	GradedCandidate candidate = std::move(done.front());
	done.pop_front();
	++nextIndex;
	changed.notify_all();
	return candidate;
}
