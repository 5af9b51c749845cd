// The scientific patterns ("#.#####E+", "#.##E+") and the file date pattern of the run reports.
//
// Choices the patterns leave open:
// - Zero is written "0.E+0" in both scientific patterns (so the short form, after its "E+0"
//   removal, reads "0."), which plainly reads as zero and keeps the point the patterns always
//   write. A negative zero is written like zero.
// - Values that are not finite are written "NaN", "Inf" and "-Inf" rather than failing.
#include "plots/report/Format.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace plots {
namespace {

// One digit, the point, up to `decimals` digits without trailing zeros, E, sign, exponent.
std::string Scientific(double value, int decimals)
{
    if (!std::isfinite(value)) return NonFiniteText(value);
    if (value == 0) return "0.E+0";
    const Decimal d = RoundSignificant(value, decimals);
    std::string text = d.Negative ? "-" : "";
    text += d.Digits.substr(0, 1);
    text += '.';
    text += WithoutTrailingZeros(d.Digits.substr(1));
    text += d.Exponent < 0 ? "E-" : "E+";
    text += std::to_string(std::abs(d.Exponent));
    return text;
}

// One pass, left to right, as repeated find-and-erase would (a list of thousands of values is
// not moved once per value).
void RemoveAll(std::string& text, const std::string& piece)
{
    std::size_t out = 0;
    for (std::size_t in = 0; in < text.size();) {
        if (text.compare(in, piece.size(), piece) == 0) {
            in += piece.size();
            continue;
        }
        text[out++] = text[in++];
    }
    text.resize(out);
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
    const int count = std::max(0, std::min<int>(n, int(values.size())));
    // Every pass over every plot of a run prints the same legends: long lists are formatted
    // once and kept, recognised by their values' bits (-0 and 0 print apart).
    struct Formatted {
        std::vector<double> Values;
        std::string Text;
    };
    static thread_local std::vector<Formatted> kept;
    const bool keep = count >= 64;
    if (keep)
        for (const Formatted& f : kept)
            if (f.Values.size() == std::size_t(count) &&
                std::memcmp(f.Values.data(), values.data(), std::size_t(count) * sizeof(double)) == 0)
                return f.Text;
    std::string text = "\t";
    for (int i = 0; i < count; ++i) text += FormatShortScientific(values[std::size_t(i)]) + "\t";
    RemoveAll(text, "E+0");
    while (!text.empty() && text.back() == ' ') text.pop_back();
    if (keep) {
        if (kept.size() >= 16) kept.erase(kept.begin());
        kept.push_back({std::vector<double>(values.begin(), values.begin() + count), text});
    }
    return text;
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
