#ifndef VEXARIFT_TOOLS_MAPGEN_GRADINGPOOL_H
#define VEXARIFT_TOOLS_MAPGEN_GRADINGPOOL_H

#include "tools/mapgen/Difficulty.h"
#include "tools/mapgen/MapGrader.h"

#include <sys/types.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct GradedCandidate {
	uint64_t index = 0;
	MapGrade grade;
	// Every game played on it, nudged versions included.
	int gamesPlayed = 0;
	// The record in DATA form.
	std::string dataText;
};

// Grades candidates 0, 1, 2, ... in worker processes, one per core, and
// hands them back strictly in that order. Processes, not threads: the game
// keeps its random numbers in the C library's rand() and opens its files in
// the working directory, so two games cannot share a process. Worker w of
// W grades candidates w, w + W, ..., so which candidate is which never
// depends on timing, and the maps come out the same for any W.
//
// Workers run a little ahead; stopping the pool closes their pipes and
// asks them to finish, and each clears away its own game folder.
class GradingPool {
public:
	GradingPool(uint32_t seed, Difficulty difficulty, const std::string &assetDirectory, int workerCount);
	~GradingPool();
	GradingPool(const GradingPool &) = delete;
	GradingPool &operator=(const GradingPool &) = delete;

	// False when no worker could be started.
	bool IsReady() const { return !workers.empty(); }
	// The next candidate; false when its worker could not grade it.
	bool Next(GradedCandidate &candidate);

private:
	void Stop();

	struct Worker {
		pid_t pid = -1;
		FILE *results = nullptr;
	};

	void StartWorker(int index, int count, uint32_t seed, Difficulty difficulty, const std::string &assetDirectory);

	std::vector<Worker> workers;
	uint64_t nextIndex = 0;
};

// How many workers this machine can keep busy.
int WorkerCount();

#endif
