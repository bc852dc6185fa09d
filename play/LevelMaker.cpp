#include "play/LevelMaker.h"

#include "engine/VexaRiftEngine.h"
#include "leveldata/MapCode.h"
#include "leveldata/MapLoader.h"
#include "play/LevelGameState.h"
#include "rules/LibraryRandom.h"

std::unique_ptr<MapRecord> LevelMaker::PickMap(RandomSource &random)
{
	std::vector<std::unique_ptr<MapRecord>> maps = LoadMaps();
	if(maps.empty())
		return nullptr;
	const int count = static_cast<int>(maps.size());
	const int place = random.Below(count);
	if(LevelObserver *observer = LevelGameState::GetObserver())
		observer->MapSetUp({place, count, MapCode::Encode(*maps[place])});
	return std::move(maps[place]);
}

LevelGameState *LevelMaker::MakeLevel(VexaRiftEngine *engine)
{
	// rand() keeps no state of its own here, so one source serves every level.
	static LibraryRandom random;
	return new LevelGameState(
		engine, engine->width, [] { return PickMap(random); }, random);
}
