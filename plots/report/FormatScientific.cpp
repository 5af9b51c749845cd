// The scientific patterns ("#.#####E+", "#.##E+"), the general number format and the file
// date pattern of the run reports.
//
// Choices the patterns leave open:
// - Zero is written "0.E+0" in both scientific patterns (so the short form, after its "E+0"
//   removal, reads "0."), which plainly reads as zero and keeps the point the patterns always
//   write. A negative zero is written like zero.
// - The general format switches to scientific notation, as VB's own number-to-text does,
//   when the decimal exponent of the value rounded to 15 significant digits is 15 or more or
//   below -4 (0.0001 stays "0.0001", 0.00001 becomes "1E-05"); exponents there have at least
//   two digits.
// - Values that are not finite never reach the tools' files in practice; they are written
//   "NaN", "Inf" and "-Inf" in every format rather than failing.
#include "plots/report/Format.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace plots {
namespace {

const char* NonFiniteText(double value)
{
    if (std::isnan(value)) return "NaN";
    return value < 0 ? "-Inf" : "Inf";
}

// The value rounded to 1 + `decimals` significant digits: the digits (without sign) and the
// decimal exponent of the first one. Rounding carries into the exponent (9.999 at two
// decimals gives digits "100", exponent 1).
struct Decimal {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;
};

Decimal Round(double value, int decimals)
{
    Decimal d;
    std::array<char, 64> buf{};
    std::snprintf(buf.data(), buf.size(), "%.*e", decimals, value);
    const char* p = buf.data();
    if (*p == '-') {
        d.Negative = true;
        ++p;
    }
    for (; *p && *p != 'e'; ++p) {
        if (*p != '.') d.Digits += *p;
    }
    if (*p == 'e') d.Exponent = std::atoi(p + 1);
    return d;
}

std::string WithoutTrailingZeros(std::string digits)
{
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    return digits;
}

// One digit, the point, up to `decimals` digits without trailing zeros, E, sign, exponent.
std::string Scientific(double value, int decimals)
{
    if (!std::isfinite(value)) return NonFiniteText(value);
    if (value == 0) return "0.E+0";
    const Decimal d = Round(value, decimals);
    std::string text = d.Negative ? "-" : "";
    text += d.Digits.substr(0, 1);
    text += '.';
    text += WithoutTrailingZeros(d.Digits.substr(1));
    text += d.Exponent < 0 ? "E-" : "E+";
    text += std::to_string(std::abs(d.Exponent));
    return text;
}

void RemoveAll(std::string& text, const std::string& piece)
{
    for (auto pos = text.find(piece); pos != std::string::npos; pos = text.find(piece, pos)) {
        text.erase(pos, piece.size());
    }
}

}  // namespace

std::string FormatScientific(double value) { return Scientific(value, 5); }

std::string FormatShortScientific(double value) { return Scientific(value, 2); }

std::string FormatValue(double value)
{
    std::string text = "\t" + FormatShortScientific(value);
    RemoveAll(text, "E+0");
    return text;
}

std::string FormatList(const Series& values, int n)
{
    std::string text = "\t";
    const int count = std::min<int>(n, int(values.size()));
    for (int i = 0; i < count; ++i) text += FormatShortScientific(values[std::size_t(i)]) + "\t";
    RemoveAll(text, "E+0");
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

std::string FormatGeneral(double value)
{
    if (!std::isfinite(value)) return NonFiniteText(value);
    if (value == 0) return "0";
    const Decimal d = Round(value, 14);
    const std::string digits = WithoutTrailingZeros(d.Digits);
    std::string text = d.Negative ? "-" : "";
    if (d.Exponent >= 15 || d.Exponent < -4) {
        text += digits.substr(0, 1);
        if (digits.size() > 1) text += "." + digits.substr(1);
        std::array<char, 16> exp{};
        std::snprintf(exp.data(), exp.size(), "E%c%02d", d.Exponent < 0 ? '-' : '+', std::abs(d.Exponent));
        return text + exp.data();
    }
    if (d.Exponent < 0) return text + "0." + std::string(std::size_t(-d.Exponent - 1), '0') + digits;
    const std::size_t whole = std::size_t(d.Exponent) + 1;
    if (digits.size() <= whole) return text + digits + std::string(whole - digits.size(), '0');
    return text + digits.substr(0, whole) + "." + digits.substr(whole);
}

std::string FormatFileDate(const QDateTime& when)
{
    static constexpr std::array<const char*, 12> months = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDate date = when.date();
    const QTime time = when.time();
    if (!date.isValid() || !time.isValid()) return "";
    const int hour12 = time.hour() % 12 == 0 ? 12 : time.hour() % 12;
    std::array<char, 48> buf{};
    std::snprintf(buf.data(), buf.size(), "%s %02d, %04d %02d:%02d %s", months[std::size_t(date.month() - 1)],
                  date.day(), date.year(), hour12, time.minute(), time.hour() < 12 ? "AM" : "PM");
    return buf.data();
}

}  // namespace plots
