#ifndef VEXARIFT_TOOLS_MAPGEN_GRADINGPOOL_H
#define VEXARIFT_TOOLS_MAPGEN_GRADINGPOOL_H

#include "tools/mapgen/Difficulty.h"
#include "tools/mapgen/MapGrader.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct GradedCandidate {
	uint64_t index = 0;
	MapGrade grade;
	// Every game played on it, nudged versions included.
	int gamesPlayed = 0;
	// The record in DATA form.
	std::string dataText;
};

// Grades candidates 0, 1, 2, ... on worker threads and hands them back
// strictly in that order. Worker w of W grades candidates w, w + W, ...,
// and every game draws from a stream of its own seed, so which candidate
// is which and how it grades never depend on timing: the maps come out the
// same for any W.
//
// Workers run a little ahead of what is taken; the pool stops them when it
// goes, after the game each has under way.
class GradingPool {
public:
	GradingPool(uint32_t seed, Difficulty difficulty, int workerCount);
	~GradingPool();
	GradingPool(const GradingPool &) = delete;
	GradingPool &operator=(const GradingPool &) = delete;

	// The next candidate, waiting for its worker if need be.
	GradedCandidate Next();

private:
	struct Worker {
		std::deque<GradedCandidate> done;
		std::thread thread;
	};

	void Grade(int worker, uint32_t seed, Difficulty difficulty);

	std::mutex mutex;
	std::condition_variable changed;
	std::atomic<bool> stopping{false};
	std::vector<Worker> workers;
	uint64_t nextIndex = 0;
};

// How many workers this machine can keep busy.
int WorkerCount();

#endif
