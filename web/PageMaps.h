#ifndef VEXARIFT_WEB_PAGEMAPS_H
#define VEXARIFT_WEB_PAGEMAPS_H

#include <string>

// The maps the page lets a player choose, decided here by the same map
// codes, catalogue and daily list as the launcher's, so the page never
// holds a second copy of them. The page writes the DATA it is given into
// the game's folder, where the next level set-up reads it.
class PageMaps {
public:
	// For "all", "easy", "normal", "hard", "daily" or "map=CODE", a JSON
	// object: the pool's name and its DATA; for the daily map also its date
	// and day number, for it and a code's map the code. For a code that
	// does not hold a playable map, or any other choice, {"problem": ...}
	// with one line that says why.
	static std::string Choose(const std::string &choice);
};

#endif
