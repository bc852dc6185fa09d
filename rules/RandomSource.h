#ifndef VEXARIFT_RULES_RANDOMSOURCE_H
#define VEXARIFT_RULES_RANDOMSOURCE_H

// Where the rules draw their chances from. The game hands them the C
// library's rand(), which the network pulses draw from too, so one seed
// replays a whole game; a tool hands each game a stream of its own, so games
// can run side by side.
class RandomSource {
public:
	virtual ~RandomSource() = default;
	// A value in [0, count), for a count above 0.
	virtual int Below(int count) = 0;
};

#endif
