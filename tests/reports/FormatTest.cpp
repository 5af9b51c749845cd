#include "plots/report/Format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace plots;

namespace {

enum class Pattern { Scientific, Value, General };

struct NumberCase {
    Pattern Form;
    double Value;
    const char* Expected;
};

std::string Apply(Pattern form, double value)
{
    switch (form) {
    case Pattern::Scientific: return FormatScientific(value);
    case Pattern::Value: return FormatValue(value);
    case Pattern::General: return FormatGeneral(value);
    }
    return {};
}

const double inf = std::numeric_limits<double>::infinity();

const NumberCase numberCases[] = {
    // "#.#####E+"
    {Pattern::Scientific, 250, "2.5E+2"},
    {Pattern::Scientific, 0.5, "5.E-1"},
    {Pattern::Scientific, 1.5, "1.5E+0"},
    {Pattern::Scientific, 0.0123456, "1.23456E-2"},
    {Pattern::Scientific, -0.0123456, "-1.23456E-2"},
    {Pattern::Scientific, 1.234567, "1.23457E+0"},
    {Pattern::Scientific, 9.999999, "1.E+1"},
    {Pattern::Scientific, 1e-300, "1.E-300"},
    {Pattern::Scientific, 0, "0.E+0"},
    {Pattern::Scientific, -0.0, "0.E+0"},
    {Pattern::Scientific, std::nan(""), "NaN"},
    {Pattern::Scientific, -inf, "-Inf"},
    // "#.##E+" with "E+0" removed, after a tab
    {Pattern::Value, 1.5, "\t1.5"},
    {Pattern::Value, 1, "\t1."},
    {Pattern::Value, 2000, "\t2.E+3"},
    {Pattern::Value, 0.025, "\t2.5E-2"},
    {Pattern::Value, 123.456, "\t1.23E+2"},
    {Pattern::Value, -7.25, "\t-7.25"},
    {Pattern::Value, 0.5, "\t5.E-1"},
    {Pattern::Value, 10, "\t1.E+1"},
    {Pattern::Value, 9.999, "\t1.E+1"},
    {Pattern::Value, 1e10, "\t1.E+10"},
    {Pattern::Value, 0, "\t0."},
    {Pattern::Value, inf, "\tInf"},
    // general format
    {Pattern::General, 0, "0"},
    {Pattern::General, 2.5, "2.5"},
    {Pattern::General, -3, "-3"},
    {Pattern::General, 0.1, "0.1"},
    {Pattern::General, 1.0 / 3.0, "0.333333333333333"},
    {Pattern::General, 123456789012345, "123456789012345"},
    {Pattern::General, 1e15, "1E+15"},
    {Pattern::General, 1234567890123456789.0, "1.23456789012346E+18"},
    {Pattern::General, 0.0001, "0.0001"},
    {Pattern::General, 0.00001, "1E-05"},
    {Pattern::General, -0.000012345, "-1.2345E-05"},
    {Pattern::General, 1e-200, "1E-200"},
    {Pattern::General, 100, "100"},
    {Pattern::General, 0.1 + 0.2, "0.3"},
    {Pattern::General, std::nan(""), "NaN"},
    // a value exactly half-way between two 15-digit ones goes to the even one, as printf rounds
    {Pattern::General, 100000000000000.5, "100000000000000"},
    {Pattern::General, 100000000000001.5, "100000000000002"},
    {Pattern::General, 4.9406564584124654e-324, "4.94065645841247E-324"},
};

}  // namespace

TEST(NumberFormats, EveryPatternWritesTheDocumentedExamples)
{
    for (const NumberCase& c : numberCases) {
        EXPECT_EQ(Apply(c.Form, c.Value), c.Expected) << "value " << c.Value << " form " << int(c.Form);
    }
}

TEST(NumberFormats, ListsAreTabSeparatedWithTheFinalTabKept)
{
    const struct {
        Series Values;
        int Count;
        const char* Expected;
    } cases[] = {
        {{1.5, 2000}, 2, "\t1.5\t2.E+3\t"},
        {{1, 10, 0.5}, 3, "\t1.\t1.E+1\t5.E-1\t"},
        {{1, 10, 0.5}, 0, "\t"},
        {{1, 10, 0.5}, 1, "\t1.\t"},
        {{1, 10}, 5, "\t1.\t1.E+1\t"},  // a count beyond the array stops at its end
        {{}, -1, "\t"},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatList(c.Values, c.Count), c.Expected) << c.Count;
}

TEST(NumberFormats, FileDateUsesEnglishMonthsAndTwelveHourClock)
{
    const struct {
        QDateTime When;
        const char* Expected;
    } cases[] = {
        {QDateTime(QDate(2009, 3, 5), QTime(14, 7)), "Mar 05, 2009 02:07 PM"},
        {QDateTime(QDate(2010, 12, 31), QTime(0, 30)), "Dec 31, 2010 12:30 AM"},
        {QDateTime(QDate(2011, 1, 1), QTime(12, 0)), "Jan 01, 2011 12:00 PM"},
        {QDateTime(QDate(2011, 8, 9), QTime(11, 59)), "Aug 09, 2011 11:59 AM"},
        {QDateTime(), ""},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatFileDate(c.When), c.Expected);
}
