// libFuzzer entry for the rules of a level: a map and a player's moves.
#include "tools/fuzz/LevelRulesFuzzTarget.h"

#include <cstdio>
#include <cstdlib>

namespace {
	const std::vector<MapRecord> &ShippedMaps()
	{
		static const std::vector<MapRecord> maps = LevelInput::ReadShippedMaps(VEXARIFT_SHIPPED_DATA);
		return maps;
	}
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
	if(ShippedMaps().empty())
	{
		fprintf(stderr, "No shipped map read from %s\n", VEXARIFT_SHIPPED_DATA);
		abort();
	}
	return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	const std::string failure = LevelRulesFuzzTarget::Run(LevelInput::Decode(data, size, ShippedMaps()));
	if(!failure.empty())
	{
		fprintf(stderr, "%s\n", failure.c_str());
		abort();
	}
	return 0;
}
