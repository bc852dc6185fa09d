// vexarift-bench: what a frame and a move cost, timed with Google Benchmark.
// Run it from the run folder (build/game), or through tools/bench, which
// prints every case as a ratio to BM_FloorFrame; absolute times on a shared
// machine say little, ratios within one run say more.
//
//   BM_FloorFrame           a loop pass that only copies the background,
//                           uploads and presents: the floor under any frame
//   BM_BusiestFramePartial  a loop pass of the busiest level: a tick and the
//                           partial redraw it asks for
//   BM_BusiestFrameFull     the same with a full redraw
//   BM_ScaledFloorFrame     BM_FloorFrame presented into a 2560 x 1440
//                           window, twice the frame's size
//   BM_ScaledFramePartial   BM_BusiestFramePartial into that window
//   BM_DecryptMove          a decrypting click on that map and its loop pass
//   BM_ScriptedGame         one whole game of the full-knowledge player on
//                           the rules, headless, on a shipped map; the maps of
//                           DATA take turns, under seeds 1 to 10
//   BM_RulesGame            the same for the sighted player
//   BM_GradeMap             grading the last map of DATA, a hard one, as the
//                           map generator grades a candidate
//
// Under SDL's dummy video driver unless DISPLAY is set. The game's own
// console lines are muted while the cases run.
#include "engine/VexaRiftEngine.h"
#include "play/LevelGameState.h"
#include "scenes/BusiestLevel.h"
#include "tools/benchmark/BenchStage.h"
#include "tools/mapgen/MapGrader.h"
#include "tools/player/MapSurvey.h"
#include "tools/player/MutedOutput.h"
#include "tools/player/RulesGame.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
	// The distance hints float for a second; the busiest level is played
	// afresh before they would land.
	const int PASSES_PER_BUSIEST_LEVEL = 90;
	const int SCRIPTED_SEEDS = 10;
	const int SCRIPTED_MOVE_LIMIT = 200;
	const int FRAME_WIDTH = 1280;
	const int FRAME_HEIGHT = 720;
	const int SCALED_WIDTH = 2560;
	const int SCALED_HEIGHT = 1440;

	std::string runFolder;
	std::unique_ptr<BenchStage> stage;

	// Made at the first case that needs it and kept, so every frame case
	// draws through the same window and renderer.
	BenchStage *Stage(benchmark::State &state)
	{
		if(!stage)
			stage = std::make_unique<BenchStage>(runFolder);
		if(!stage->IsReady())
		{
			state.SkipWithError("the engine could not be set up");
			return nullptr;
		}
		return stage.get();
	}

	void PlayBusiest(BenchStage &stage)
	{
		PlayBusiestLevel(stage.Engine(), *stage.StartBusiestLevel());
		stage.Pass();
	}

	// The cases in a window of another size leave it as they found it, at
	// the frame's size.
	void FloorFrame(benchmark::State &state, int windowWidth, int windowHeight)
	{
		MutedOutput quiet;
		BenchStage *stage = Stage(state);
		if(!stage)
			return;
		stage->ShowBareScreen();
		stage->ResizeWindow(windowWidth, windowHeight);
		VexaRiftEngine &engine = stage->Engine();
		for(auto _ : state)
		{
			engine.redrawNeeded = 1;
			engine.fullRedraw = 1;
			stage->Pass();
		}
		stage->ResizeWindow(FRAME_WIDTH, FRAME_HEIGHT);
	}

	void BM_FloorFrame(benchmark::State &state)
	{
		FloorFrame(state, FRAME_WIDTH, FRAME_HEIGHT);
	}

	void BM_ScaledFloorFrame(benchmark::State &state)
	{
		FloorFrame(state, SCALED_WIDTH, SCALED_HEIGHT);
	}

	void BusiestFrame(
		benchmark::State &state, bool full, int windowWidth = FRAME_WIDTH, int windowHeight = FRAME_HEIGHT)
	{
		MutedOutput quiet;
		BenchStage *stage = Stage(state);
		if(!stage)
			return;
		stage->ResizeWindow(windowWidth, windowHeight);
		VexaRiftEngine &engine = stage->Engine();
		int passes = 0;
		for(auto _ : state)
		{
			if(passes++ % PASSES_PER_BUSIEST_LEVEL == 0)
			{
				state.PauseTiming();
				PlayBusiest(*stage);
				state.ResumeTiming();
			}
			if(full)
			{
				engine.redrawNeeded = 1;
				engine.fullRedraw = 1;
			}
			stage->Pass();
		}
		stage->ResizeWindow(FRAME_WIDTH, FRAME_HEIGHT);
	}

	void BM_BusiestFramePartial(benchmark::State &state)
	{
		BusiestFrame(state, false);
	}

	void BM_BusiestFrameFull(benchmark::State &state)
	{
		BusiestFrame(state, true);
	}

	void BM_ScaledFramePartial(benchmark::State &state)
	{
		BusiestFrame(state, false, SCALED_WIDTH, SCALED_HEIGHT);
	}

	void BM_DecryptMove(benchmark::State &state)
	{
		MutedOutput quiet;
		BenchStage *stage = Stage(state);
		if(!stage)
			return;
		LevelGameState *level = stage->StartBusiestLevel();
		for(auto _ : state)
		{
			if(!DecryptNextNode(stage->Engine(), *level))
			{
				state.PauseTiming();
				level = stage->StartBusiestLevel();
				state.ResumeTiming();
				DecryptNextNode(stage->Engine(), *level);
			}
			stage->Pass();
		}
	}

	std::vector<SurveyedMap> ShippedMaps()
	{
		std::ifstream in(runFolder + "/DATA");
		std::ostringstream text;
		text << in.rdbuf();
		const MapSurvey survey(text.str());
		std::vector<SurveyedMap> playable;
		for(const SurveyedMap &map : survey.Maps())
			if(map.refusal.empty())
				playable.push_back(map);
		return playable;
	}

	void ShippedGames(benchmark::State &state, Sight sight)
	{
		const std::vector<SurveyedMap> maps = ShippedMaps();
		if(maps.empty())
		{
			state.SkipWithError("no playable map in the run folder's DATA");
			return;
		}
		size_t game = 0;
		for(auto _ : state)
		{
			const SurveyedMap &map = maps[game % maps.size()];
			const unsigned seed = 1 + static_cast<unsigned>(game / maps.size() % SCRIPTED_SEEDS);
			benchmark::DoNotOptimize(PlayOnRules(map.record, seed, SCRIPTED_MOVE_LIMIT, sight));
			++game;
		}
	}

	void BM_ScriptedGame(benchmark::State &state)
	{
		ShippedGames(state, Sight::FULL_KNOWLEDGE);
	}
}

BENCHMARK(BM_FloorFrame);
BENCHMARK(BM_BusiestFramePartial);
BENCHMARK(BM_BusiestFrameFull);
BENCHMARK(BM_ScaledFloorFrame);
BENCHMARK(BM_ScaledFramePartial);
BENCHMARK(BM_DecryptMove);
BENCHMARK(BM_ScriptedGame)->Unit(benchmark::kMillisecond);

// The rules without a screen: what simulated games and map grading cost.
namespace {
	void BM_RulesGame(benchmark::State &state)
	{
		ShippedGames(state, Sight::SIGHTED);
	}

	void BM_GradeMap(benchmark::State &state)
	{
		const std::vector<SurveyedMap> maps = ShippedMaps();
		if(maps.empty())
		{
			state.SkipWithError("no playable map in the run folder's DATA");
			return;
		}
		const MapGrader grader(Difficulty::HARD);
		for(auto _ : state)
			benchmark::DoNotOptimize(grader.Grade(maps.back().record));
	}
}

BENCHMARK(BM_RulesGame)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GradeMap)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
	if(!getenv("DISPLAY"))
		setenv("SDL_VIDEODRIVER", "dummy", 1);
	runFolder = std::filesystem::current_path().string();
	benchmark::Initialize(&argc, argv);
	if(benchmark::ReportUnrecognizedArguments(argc, argv))
		return 2;
	benchmark::RunSpecifiedBenchmarks();
	benchmark::Shutdown();
	MutedOutput quiet;
	stage.reset();
	return 0;
}
