// Golden frames: whole 1280 x 720 frames of the start screen, a level in
// progress, the busiest level, and the win and lose screens, each reached
// through the engine's own hooks at a fixed seed and fixed ticks, and
// compared by a 64-bit FNV-1a hash of their pixels with the hashes in
// golden-frames.txt beside this file. Every change that is meant to leave
// the picture alone (a cache, a faster primitive) must pass it unchanged.
//
// On a mismatch the test saves the frame it drew as a PNG and names it, so
// the difference can be looked at.
//
// To change the golden data on purpose (a picture really changed), run
//   VEXARIFT_UPDATE_GOLDEN=1 build/tests/vexarift_tests --gtest_filter='GoldenFrames.*'
// from build/game: it rewrites golden-frames.txt in the source tree and saves
// every frame as a PNG to look at before committing, with the reason for the
// change in the commit message.
//
// The maps are this test's own, so the shipped DATA can change freely.
#include "support/ImageFiles.h"
#include "support/LevelFixture.h"
#include "support/PixelSurface.h"

#include "scenes/BusiestLevel.h"
#include "screens/EndGameState.h"
#include "screens/StartGameState.h"

#include <unistd.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {
	const char *const GOLDEN_FILE = VEXARIFT_TEST_SOURCE_DIR "/screens/golden-frames.txt";
	const int ENTER = 13;

	std::map<std::string, std::string> ReadGolden()
	{
		std::map<std::string, std::string> golden;
		std::ifstream in(GOLDEN_FILE);
		for(std::string line; std::getline(in, line);)
		{
			std::istringstream words(line);
			std::string name;
			std::string hash;
			if(line.empty() || line[0] == '#' || !(words >> name >> hash))
				continue;
			golden[name] = hash;
		}
		return golden;
	}

	void WriteGolden(const std::map<std::string, std::string> &golden)
	{
		std::ofstream out(GOLDEN_FILE, std::ios::trunc);
		out << "# Frame hashes checked by GoldenFramesTest.cpp; see there how to update them.\n";
		for(const auto &[name, hash] : golden)
			out << name << ' ' << hash << '\n';
	}

	std::string SaveFrame(const SDL_Surface *frame, const std::string &name)
	{
		const std::string file = (std::filesystem::temp_directory_path() /
			("vexarift-frame-" + name + "-" + std::to_string(getpid()) + ".png"))
									 .string();
		std::vector<uint32_t> pixels(static_cast<size_t>(frame->w) * frame->h);
		for(int y = 0; y < frame->h; ++y)
			memcpy(&pixels[static_cast<size_t>(y) * frame->w],
				static_cast<const uint8_t *>(frame->pixels) + y * frame->pitch, static_cast<size_t>(frame->w) * 4);
		return WritePng(file, frame->w, frame->h, pixels, false) ? file : "(could not be saved)";
	}

	std::unique_ptr<GameState> MakeStartScreen(VexaRiftEngine *engine)
	{
		return std::make_unique<StartGameState>(engine);
	}
}

class GoldenFrames : public LevelFixture {
protected:
	void ExpectGolden(const std::string &name)
	{
		char hash[17];
		snprintf(hash, sizeof(hash), "%016" PRIx64, SurfaceHash(engine->frameSurface));
		std::map<std::string, std::string> golden = ReadGolden();
		if(getenv("VEXARIFT_UPDATE_GOLDEN"))
		{
			golden[name] = hash;
			WriteGolden(golden);
			printf("golden frame %s: %s, drawn in %s\n", name.c_str(), hash,
				SaveFrame(engine->frameSurface, name).c_str());
			return;
		}
		if(golden[name] != hash)
			ADD_FAILURE() << "frame " << name << " hashes to " << hash << ", golden is " << golden[name]
						  << "; the frame drawn is in " << SaveFrame(engine->frameSurface, name);
	}

	void Ticks(int count)
	{
		for(int i = 0; i < count; ++i)
			Tick();
	}
};

// The title mid-glide over the picture: a full frame, then a partial one.
TEST_F(GoldenFrames, StartScreen)
{
	std::ofstream("DATA") << BusiestLevelData();
	StartEngineOn(MakeStartScreen);
	TickAt(1000);
	TickAt(1700);
	ExpectGolden("start");
}

// A few moves of a small network with gaps: decryptions, a Firewall that
// blocks and is attacked, a Data Cache opened, the cursor on the keypad,
// and the frame taken while markers, numbers and pulses are on their way.
TEST_F(GoldenFrames, LevelInProgress)
{
	StartLevel(MapFromTopRows(
				   {
					   "h h F h . . h h h h",
					   "h D h h . h h A h C",
					   "h h h h h h . h h h",
					   "h . . h h h h h h .",
				   },
				   0, 0),
		3);
	const int moves[][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}, {1, 1}, {2, 0}, {2, 0}, {0, 2}, {1, 2}};
	for(const auto &move : moves)
	{
		Click(move[0], move[1]);
		Ticks(7);
	}
	Key(SDLK_KP_3);
	Ticks(3);
	Hover(1, 1);
	Ticks(12);
	ExpectGolden("level");
}

TEST_F(GoldenFrames, BusiestLevel)
{
	PlayBusiestLevel(*engine, *StartLevel(BusiestLevelData(), 5));
	Ticks(4);
	ExpectGolden("busiest");
	// A restart leaves nothing of the level behind but its map.
	Key(ENTER);
	Ticks(2);
	ExpectGolden("busiest-restarted");
}

TEST_F(GoldenFrames, WinScreen)
{
	StartEngineOn([](VexaRiftEngine *e) { return std::make_unique<EndGameState>(e, true); });
	TickAt(1000);
	ExpectGolden("win");
}

TEST_F(GoldenFrames, LoseScreen)
{
	StartEngineOn([](VexaRiftEngine *e) { return std::make_unique<EndGameState>(e, false); });
	TickAt(1000);
	ExpectGolden("lose");
}
