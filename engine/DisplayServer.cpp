#include "engine/DisplayServer.h"

#ifdef VEXARIFT_X11

#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace {
	const int LOST_DISPLAY_STATUS = 1;
	const char LOST_DISPLAY_MESSAGE[] = "Lost the connection to the X display: the game ends.\n";

	// Extensions through which an X server lets OpenGL reach a GPU.
	const char *const DIRECT_RENDERING_EXTENSIONS[] = {"DRI3", "DRI2", "NV-GLX"};
	// What Mesa takes as yes in LIBGL_ALWAYS_SOFTWARE.
	const char *const YES_WORDS[] = {"1", "true", "y", "yes"};

	// Nothing here may talk to the server: it is gone. _exit skips the
	// atexit functions that would.
	int EndOnLostConnection(Display *)
	{
		const ssize_t written = write(STDERR_FILENO, LOST_DISPLAY_MESSAGE, sizeof(LOST_DISPLAY_MESSAGE) - 1);
		(void)written;
		_exit(LOST_DISPLAY_STATUS);
	}

	bool IsX11()
	{
		const char *driver = SDL_GetCurrentVideoDriver();
		return driver && strcmp(driver, "x11") == 0;
	}

	bool SoftwareRenderingForced()
	{
		const char *value = getenv("LIBGL_ALWAYS_SOFTWARE");
		if(!value)
			return false;
		for(const char *yes : YES_WORDS)
			if(strcasecmp(value, yes) == 0)
				return true;
		return false;
	}

	// Direct rendering passes buffers over a local socket; through TCP or a
	// forwarded connection OpenGL falls back to software.
	bool IsLocalConnection(Display *display)
	{
		sockaddr_storage address = {};
		socklen_t length = sizeof(address);
		if(getsockname(ConnectionNumber(display), reinterpret_cast<sockaddr *>(&address), &length) != 0)
			return false;
		return address.ss_family == AF_UNIX;
	}

	bool OffersDirectRendering(Display *display)
	{
		for(const char *name : DIRECT_RENDERING_EXTENSIONS)
		{
			int opcode = 0;
			int firstEvent = 0;
			int firstError = 0;
			if(XQueryExtension(display, name, &opcode, &firstEvent, &firstError))
				return true;
		}
		return false;
	}
}

void DisplayServer::EndGameWhenLost()
{
	if(IsX11())
		XSetIOErrorHandler(EndOnLostConnection);
}

bool DisplayServer::HasOnlySoftwareOpenGL(SDL_Window *window)
{
	SDL_SysWMinfo info;
	SDL_VERSION(&info.version);
	if(!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
		return false;
	Display *display = info.info.x11.display;
	return SoftwareRenderingForced() || !IsLocalConnection(display) || !OffersDirectRendering(display);
}

#else

void DisplayServer::EndGameWhenLost()
{}

bool DisplayServer::HasOnlySoftwareOpenGL(SDL_Window *)
{
	return false;
}

#endif
