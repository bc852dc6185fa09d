#ifndef VEXARIFT_CATALOGUE_DAILYMAP_H
#define VEXARIFT_CATALOGUE_DAILYMAP_H

#include <string>
#include <vector>

// One map for each calendar day, the same for every player of a release:
// the day's place in the daily list counts days from the first daily map,
// in UTC, so players in every time zone and on every screen share it. The
// list holds over a year of maps; once it has been played through it begins
// again from its first map, and days before the first daily map count
// backwards from its end.
class DailyMap {
public:
	struct Date {
		int year;
		int month;
		int day;
	};

	// The day the first daily map was played.
	static constexpr Date FIRST_DAY = {2026, 12, 11};

	// Today in UTC.
	static Date Today();
	// A date written YYYY-MM-DD; false for anything else, or a day the
	// calendar does not have.
	static bool ParseDate(const std::string &text, Date &date);
	static std::string FormatDate(Date date);

	// Days from 1970-01-01.
	static long DayNumber(Date date);

	// The day's code from a list of codes, which must not be empty.
	static const std::string &CodeFor(Date date, const std::vector<std::string> &codes);
};

#endif
