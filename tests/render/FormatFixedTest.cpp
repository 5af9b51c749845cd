#include "plots/report/Format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace plots {
namespace {

TEST(FormatFixed, DigitPlaceholdersWriteThePointAndNoLeadingZero)
{
    struct Case {
        double Value;
        int Decimals;
        const char* Expected;
    } cases[] = {
        {12, 1, "12."},       {0.5, 1, ".5"},        {0, 1, "."},          {-3.2, 1, "-3.2"},
        {1.44, 2, "1.44"},    {2.4, 2, "2.4"},       {2.0, 2, "2."},       {88, 1, "88."},
        {0.05, 1, ".1"},      {0.15, 1, ".2"},       {0.25, 1, ".3"},      {-0.25, 1, "-.3"},
        {0.04, 1, "."},       {-0.04, 1, "."},       {0.999, 2, "1."},     {9.96, 1, "10."},
        {-0.005, 2, "-.01"},  {0.004, 2, "."},       {123456.78, 1, "123456.8"},
        {1e20, 1, "100000000000000000000."}, {0.9f, 1, ".9"},  {5.1f, 1, "5.1"},
        {-1.0000001, 2, "-1."}, {2.02f, 2, "2.02"},  {504, 2, "504."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFixed(c.Value, c.Decimals), c.Expected) << c.Value << " with " << c.Decimals << " decimals";
}

TEST(FormatFixed, NonFiniteValuesAreNamed)
{
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 1), "NaN");
    EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 1), "-Inf");
}

TEST(LeadingNumber, ReadsTheNumberAtTheStartAsValDoes)
{
    struct Case {
        const char* Text;
        double Expected;
    } cases[] = {
        {"0.5", 0.5},  {"0.5abc", 0.5},  {"", 0},        {"abc", 0},     {"  -2.5  ", -2.5},
        {"1 2", 12},   {"1e3", 1000},    {"1E", 1},      {"2D2", 200},   {".25", 0.25},
        {"-", 0},      {"&H10", 16},     {"&O17", 15},   {"1.5.3", 1.5}, {"+4", 4},
        {"1e999", 0},
    };
    for (const Case& c : cases) EXPECT_DOUBLE_EQ(LeadingNumber(c.Text), c.Expected) << '"' << c.Text << '"';
}

TEST(ParseNumber, AcceptsOnlyAWholeDecimalNumber)
{
    struct Case {
        const char* Text;
        bool Ok;
        double Expected;
    } cases[] = {
        {"90", true, 90},   {" 90 ", true, 90},  {"-1.5e2", true, -150}, {"+3", true, 3}, {".5", true, 0.5},
        {"abc", false, 0},  {"", false, 0},      {"0.5abc", false, 0},   {"inf", false, 0},
        {"nan", false, 0},  {"1e999", false, 0}, {"-", false, 0},        {"0x10", false, 0},
    };
    for (const Case& c : cases) {
        double v = -7;
        EXPECT_EQ(ParseNumber(c.Text, v), c.Ok) << '"' << c.Text << '"';
        if (c.Ok) {
            EXPECT_DOUBLE_EQ(v, c.Expected) << '"' << c.Text << '"';
        }
    }
}

}  // namespace
}  // namespace plots
