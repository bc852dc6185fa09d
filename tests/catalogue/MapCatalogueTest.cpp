#include "catalogue/MapCatalogue.h"
#include "catalogue/DailyMap.h"
#include "leveldata/MapCode.h"
#include "leveldata/MapLoader.h"

#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <iterator>
#include <set>

namespace {

	std::string ShippedData()
	{
		std::ifstream in(VEXARIFT_TEST_SOURCE_DIR "/../assets/DATA", std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
	}

	std::string RecordOf(const std::string &code)
	{
		MapRecord record;
		EXPECT_EQ(MapCode::Decode(code, record), "") << code;
		return FormatMapRecord(record);
	}

	DailyMap::Date Date(const std::string &text)
	{
		DailyMap::Date date = {};
		EXPECT_TRUE(DailyMap::ParseDate(text, date)) << text;
		return date;
	}

} // namespace

TEST(MapCatalogue, HoldsTheShippedDataMapForMap)
{
	std::string data;
	std::set<std::string> names;
	for(const CatalogueEntry &entry : MapCatalogue::Shipped())
	{
		data += (data.empty() ? "" : "\n") + RecordOf(entry.code);
		EXPECT_TRUE(names.insert(entry.name).second) << "two maps named " << entry.name;
	}
	EXPECT_EQ(data, ShippedData());
	EXPECT_EQ(MapCatalogue::OfGrade("all").size(), MapCatalogue::Shipped().size());
	size_t graded = 0;
	for(const char *grade : {"easy", "normal", "hard"})
		graded += MapCatalogue::OfGrade(grade).size();
	EXPECT_EQ(graded, MapCatalogue::Shipped().size());
}

TEST(MapCatalogue, ALineThatDoesNotFitIsNamed)
{
	std::string problem;
	auto entries = MapCatalogue::Parse("# a comment\nfirst\tauthored\teasy\t90\t100\tCODE\n"
									   "second\tauthored\tsevere\t90\t100\tCODE\nthird\tgenerated\thard\t9\t9\tCODE\n",
		problem);
	ASSERT_EQ(entries.size(), 1u);
	EXPECT_EQ(entries[0].name, "first");
	EXPECT_EQ(entries[0].sightedShare, 90);
	EXPECT_NE(problem.find("second"), std::string::npos);
	for(const char *line : {"a\tauthored\teasy\t101\t100\tC", "a\tauthored\teasy\t-1\t100\tC",
			"a\tbought\teasy\t90\t100\tC", "a\tauthored\teasy\t90\t100"})
	{
		problem.clear();
		EXPECT_TRUE(MapCatalogue::Parse(line, problem).empty()) << line;
		EXPECT_NE(problem, "") << line;
	}
}

TEST(DailyMap, OneMapADayWithNoRepeatForOverAYear)
{
	const std::vector<std::string> &codes = MapCatalogue::DailyCodes();
	ASSERT_GE(codes.size(), 366u);
	std::set<std::string> shipped;
	for(const CatalogueEntry &entry : MapCatalogue::Shipped())
		shipped.insert(entry.code);
	std::set<std::string> seen;
	for(const std::string &code : codes)
	{
		EXPECT_TRUE(seen.insert(RecordOf(code)).second) << "the daily list holds a map twice: " << code;
		EXPECT_EQ(shipped.count(code), 0u) << "a daily map is also a shipped one: " << code;
	}

	EXPECT_EQ(DailyMap::CodeFor(DailyMap::FIRST_DAY, codes), codes.front());
	EXPECT_EQ(DailyMap::CodeFor(Date("2026-12-12"), codes), codes[1]);
	EXPECT_EQ(DailyMap::CodeFor(Date("2026-12-10"), codes), codes.back());
	// A leap year's whole length, and a turn of the year, with no map twice.
	std::set<std::string> year;
	long first = DailyMap::DayNumber(Date("2028-01-01"));
	for(const char *day : {"2028-02-28", "2028-02-29", "2028-03-01", "2028-12-31"})
		EXPECT_GT(DailyMap::DayNumber(Date(day)), first);
	EXPECT_EQ(DailyMap::DayNumber(Date("2028-12-31")) - first, 365);
	for(long n = 0; n < 366; ++n)
	{
		std::time_t at = static_cast<std::time_t>(first + n) * 86400;
		std::tm utc = {};
		gmtime_r(&at, &utc);
		DailyMap::Date date = {utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday};
		EXPECT_EQ(DailyMap::DayNumber(date), first + n);
		EXPECT_TRUE(year.insert(DailyMap::CodeFor(date, codes)).second) << DailyMap::FormatDate(date);
	}
	// After the list runs out it begins again.
	long count = static_cast<long>(codes.size());
	std::time_t later = static_cast<std::time_t>(DailyMap::DayNumber(DailyMap::FIRST_DAY) + count) * 86400;
	std::tm utc = {};
	gmtime_r(&later, &utc);
	EXPECT_EQ(DailyMap::CodeFor({utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday}, codes), codes.front());
}

TEST(DailyMap, OnlyARealDateIsTaken)
{
	DailyMap::Date date = {};
	for(const char *text : {"2026-02-29", "2026-13-01", "2026-00-10", "2026-1-10", "26-01-10", "2026-01-10 ",
			"2026/01/10", "", "2026-04-31"})
		EXPECT_FALSE(DailyMap::ParseDate(text, date)) << text;
	EXPECT_TRUE(DailyMap::ParseDate("2028-02-29", date));
	EXPECT_EQ(DailyMap::FormatDate(date), "2028-02-29");
}
