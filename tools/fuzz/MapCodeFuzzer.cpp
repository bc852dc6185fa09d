// libFuzzer entry for the map code decoder: whatever a player pastes, the
// decoder answers with a map or with one line, and a map it accepts is one
// the map checker passes and whose code is exactly what was pasted.
#include "leveldata/MapAnalysis.h"
#include "leveldata/MapCode.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
	void Fail(const char *what, const std::string &code)
	{
		fprintf(stderr, "%s: \"%s\"\n", what, code.c_str());
		abort();
	}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	const std::string code(reinterpret_cast<const char *>(data), size);
	MapRecord record;
	std::string problem = MapCode::Decode(code, record);
	if(!problem.empty())
	{
		if(problem.find('\n') != std::string::npos)
			Fail("the decoder's answer is more than one line", code);
		return 0;
	}
	if(!FindMapFaults(record).empty())
		Fail("a code was taken for a map the checker turns away", code);
	if(MapCode::Encode(record) != code)
		Fail("a code was taken that is not the code of its map", code);
	return 0;
}
