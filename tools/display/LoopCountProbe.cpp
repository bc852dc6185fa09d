// Preloaded under the game by tools/measure-idle (LD_PRELOAD): counts the
// loop's passes (each ends its event drain with an SDL_PollEvent that finds
// nothing), the frames uploaded to the texture and the frames presented.
// On SIGUSR1 the next of these calls writes the counts so far to standard
// error as one line: "loop counts: passes P uploads U presents R".
#include <SDL.h>

#include <dlfcn.h>
#include <signal.h>

#include <cstdio>

namespace {
	volatile sig_atomic_t reportWanted = 0;
	unsigned long long passes = 0;
	unsigned long long uploads = 0;
	unsigned long long presents = 0;

	void WantReport(int)
	{
		reportWanted = 1;
	}

	void ReportIfWanted()
	{
		if(!reportWanted)
			return;
		reportWanted = 0;
		fprintf(stderr, "loop counts: passes %llu uploads %llu presents %llu\n", passes, uploads, presents);
	}

	template<typename Function> Function Real(const char *name)
	{
		return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
	}

	struct Install {
		Install() { signal(SIGUSR1, WantReport); }
	} install;
}

extern "C" int SDL_PollEvent(SDL_Event *event)
{
	using Poll = int (*)(SDL_Event *);
	static const Poll realPoll = Real<Poll>("SDL_PollEvent");
	const int got = realPoll(event);
	if(!got)
		++passes;
	ReportIfWanted();
	return got;
}

extern "C" int SDL_UpdateTexture(SDL_Texture *texture, const SDL_Rect *rect, const void *pixels, int pitch)
{
	using Update = int (*)(SDL_Texture *, const SDL_Rect *, const void *, int);
	static const Update realUpdate = Real<Update>("SDL_UpdateTexture");
	++uploads;
	return realUpdate(texture, rect, pixels, pitch);
}

extern "C" void SDL_RenderPresent(SDL_Renderer *renderer)
{
	using Present = void (*)(SDL_Renderer *);
	static const Present realPresent = Real<Present>("SDL_RenderPresent");
	++presents;
	realPresent(renderer);
}
