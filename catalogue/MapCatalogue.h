#ifndef VEXARIFT_CATALOGUE_MAPCATALOGUE_H
#define VEXARIFT_CATALOGUE_MAPCATALOGUE_H

#include <string>
#include <vector>

// One shipped map: a name that stays the same from release to release, so
// players can talk about it, where it came from, how hard the sighted
// player finds it, and the map itself as its code.
struct CatalogueEntry {
	std::string name;
	// "authored" or "generated".
	std::string origin;
	// "easy", "normal" or "hard", from the sighted player's share.
	std::string grade;
	// Games won of 100, by the sighted and by the full-knowledge player.
	int sightedShare = 0;
	int fullShare = 0;
	std::string code;
};

// The maps a release ships, in the order of the DATA it installs, and the
// list the daily map is drawn from. Both are text files in the repository,
// built into the programs that need them, so the launcher, the tools and the
// browser page read the same lists.
class MapCatalogue {
public:
	static const std::vector<CatalogueEntry> &Shipped();
	static const std::vector<std::string> &DailyCodes();

	// The entries of a text in the catalogue's format: one map a line, its
	// fields apart by tabs, lines starting with # left out. A line that does
	// not fit is named in problem, and parsing stops there.
	static std::vector<CatalogueEntry> Parse(const std::string &text, std::string &problem);

	// The codes of a text with one code a line, # lines left out.
	static std::vector<std::string> ParseCodes(const std::string &text);

	// The shipped maps of one grade, in catalogue order; "all" gives all.
	static std::vector<CatalogueEntry> OfGrade(const std::string &grade);

	// The maps of good codes as DATA, joined as the shipped DATA joins its
	// records, one blank line apart.
	static std::string DataOf(const std::vector<std::string> &codes);
	// The DATA of the shipped maps of one grade; empty for a grade that has none.
	static std::string DataOfGrade(const std::string &grade);
};

#endif
