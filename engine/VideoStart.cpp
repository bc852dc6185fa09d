#include "engine/VideoStart.h"

#include <SDL.h>

namespace {
	const Uint32 RETRY_DELAY_MS = 250;
	// Drivers that draw into memory and show nothing.
	const char *const HIDDEN_DRIVERS[] = {"offscreen", "dummy", "evdev"};

	bool IsHidden(const char *driver)
	{
		for(const char *hidden : HIDDEN_DRIVERS)
			if(SDL_strcasecmp(driver, hidden) == 0)
				return true;
		return false;
	}

	// Every driver built into SDL that shows a window, in SDL's own order,
	// as the comma-separated list SDL_HINT_VIDEODRIVER takes.
	std::string WindowedDrivers()
	{
		std::string list;
		for(int i = 0; i < SDL_GetNumVideoDrivers(); ++i)
		{
			const char *driver = SDL_GetVideoDriver(i);
			if(!driver || IsHidden(driver))
				continue;
			if(!list.empty())
				list += ',';
			list += driver;
		}
		return list;
	}

	std::string Named(const char *variable)
	{
		const char *value = SDL_getenv(variable);
		return value && *value ? value : "";
	}

	// Which display the player's environment points at.
	std::string NoDisplay()
	{
		std::string displays;
		const std::string x = Named("DISPLAY");
		if(!x.empty())
			displays = "the X display \"" + x + "\"";
		const std::string wayland = Named("WAYLAND_DISPLAY");
		if(!wayland.empty())
			displays += (displays.empty() ? "" : " or ") + std::string("the Wayland display \"") + wayland + "\"";
		if(displays.empty())
			return "no display could be reached: neither DISPLAY nor WAYLAND_DISPLAY is set";
		return "no display could be reached at " + displays;
	}
}

bool VideoStart::Start(std::string &why)
{
	if(!Named("SDL_VIDEODRIVER").empty())
	{
		if(SDL_Init(SDL_INIT_VIDEO) == 0)
			return true;
		why = SDL_GetError();
		return false;
	}
	const std::string drivers = WindowedDrivers();
	SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers.c_str());
	if(SDL_Init(SDL_INIT_VIDEO) == 0)
		return true;
	SDL_Delay(RETRY_DELAY_MS);
	if(SDL_Init(SDL_INIT_VIDEO) == 0)
		return true;
	why = NoDisplay();
	return false;
}
