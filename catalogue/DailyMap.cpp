#include "catalogue/DailyMap.h"

#include <cstdio>
#include <ctime>

namespace {
	bool IsLeapYear(int year)
	{
		return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
	}

	int DaysInMonth(int year, int month)
	{
		const int DAYS[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
		return month == 2 && IsLeapYear(year) ? 29 : DAYS[month - 1];
	}
}

constexpr DailyMap::Date DailyMap::FIRST_DAY;

DailyMap::Date DailyMap::Today()
{
	std::time_t now = std::time(nullptr);
	std::tm utc = {};
	gmtime_r(&now, &utc);
	return {utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday};
}

bool DailyMap::ParseDate(const std::string &text, Date &date)
{
	// Exactly ten characters, digits where the digits go.
	const std::string SHAPE = "dddd-dd-dd";
	if(text.size() != SHAPE.size())
		return false;
	for(size_t i = 0; i < SHAPE.size(); ++i)
		if(SHAPE[i] == 'd' ? text[i] < '0' || text[i] > '9' : text[i] != SHAPE[i])
			return false;
	Date parsed = {std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)), std::stoi(text.substr(8, 2))};
	if(parsed.month < 1 || parsed.month > 12 || parsed.day < 1 || parsed.day > DaysInMonth(parsed.year, parsed.month))
		return false;
	date = parsed;
	return true;
}

std::string DailyMap::FormatDate(Date date)
{
	char text[16];
	snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
	return text;
}

long DailyMap::DayNumber(Date date)
{
	// Days from the civil calendar, counting March as the year's first month
	// so that the leap day comes last.
	long year = date.year - (date.month <= 2 ? 1 : 0);
	long era = (year >= 0 ? year : year - 399) / 400;
	long yearOfEra = year - era * 400;
	long dayOfYear = (153 * (date.month + (date.month > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
	long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
	return era * 146097 + dayOfEra - 719468;
}

const std::string &DailyMap::CodeFor(Date date, const std::vector<std::string> &codes)
{
	long count = static_cast<long>(codes.size());
	long place = (DayNumber(date) - DayNumber(FIRST_DAY)) % count;
	return codes[place < 0 ? place + count : place];
}
