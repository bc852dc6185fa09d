#ifndef VEXARIFT_TOOLS_PLAYER_MUTEDOUTPUT_H
#define VEXARIFT_TOOLS_PLAYER_MUTEDOUTPUT_H

// Standard output goes to /dev/null while alive: the level prints a few
// lines per move, which would bury a tool's own report. Nests safely.
class MutedOutput {
public:
	MutedOutput();
	~MutedOutput();
	MutedOutput(const MutedOutput &) = delete;
	MutedOutput &operator=(const MutedOutput &) = delete;

private:
	int saved = -1;
};

#endif
