// libFuzzer entry for the map file parser and the map analysis.
#include "tools/fuzz/MapFileFuzzTarget.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
	std::string failure = MapFileFuzzTarget::Run(std::string(reinterpret_cast<const char *>(data), size));
	if(!failure.empty())
	{
		fprintf(stderr, "%s\n", failure.c_str());
		abort();
	}
	return 0;
}
