#include "tools/player/MutedOutput.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

MutedOutput::MutedOutput()
{
	fflush(stdout);
	saved = dup(STDOUT_FILENO);
	const int sink = open("/dev/null", O_WRONLY);
	if(sink < 0)
		return;
	dup2(sink, STDOUT_FILENO);
	close(sink);
}

MutedOutput::~MutedOutput()
{
	fflush(stdout);
	if(saved < 0)
		return;
	dup2(saved, STDOUT_FILENO);
	close(saved);
}
