// Preloaded under the game by tools/measure-display (LD_PRELOAD): when the
// game presents its first frame, writes the milliseconds since
// VEXARIFT_LAUNCH_NS (the launch time in nanoseconds, as date +%s%N gives
// it) to standard error and ends the program there.
#include <SDL.h>

#include <dlfcn.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

extern "C" void SDL_RenderPresent(SDL_Renderer *renderer)
{
	using Present = void (*)(SDL_Renderer *);
	static const Present realPresent = reinterpret_cast<Present>(dlsym(RTLD_NEXT, "SDL_RenderPresent"));
	realPresent(renderer);

	timespec now = {};
	clock_gettime(CLOCK_REALTIME, &now);
	const char *launch = getenv("VEXARIFT_LAUNCH_NS");
	const long long launchNs = launch ? atoll(launch) : 0;
	const long long nowNs = now.tv_sec * 1000000000LL + now.tv_nsec;
	fprintf(stderr, "first frame after %.1f ms\n", (nowNs - launchNs) / 1e6);
	_exit(0);
}
