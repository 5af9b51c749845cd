// Number and date formats as the viewer prints them (VB-style patterns), in one module.
#pragma once

#include "plots/data/Numbers.h"
#include "plots/data/PlotData.h"

#include <QDateTime>
#include <string>

namespace plots {

// Digit-placeholder patterns: "###.#" and "###.##" (decimal point always written, no
// leading zero, at most `decimals` decimals after rounding).
std::string FormatFixed(double value, int decimals);

// "#.#####E+": one digit, up to five decimals, point always written, E, sign, exponent digits.
std::string FormatScientific(double value);
// "#.##E+" before any "E+0" removal.
std::string FormatShortScientific(double value);
// A tab and the value in the short scientific form with "E+0" removed.
std::string FormatValue(double value);
// A tab, then the first n entries in the short form each followed by a tab; "E+0" removed.
std::string FormatList(const Series& values, int n);
// "mmm dd, yyyy hh:mm AMPM" (Mar 05, 2009 02:07 PM).
std::string FormatFileDate(const QDateTime& when);

}  // namespace plots
