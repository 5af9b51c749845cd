// Digit-placeholder number patterns and number reading.
#include "plots/report/Format.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace plots {

namespace {

// The decimal digits of |value| to 15 significant figures (as a number is shown, so that
// 0.15 rounds as the decimal 0.15 and not as its binary neighbour), and the position of the
// decimal point: the value is 0.digits × 10^point.
void DecimalDigits(double value, std::string& digits, int& point)
{
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
    // buf reads d.dddddddddddddde±XX
    digits.clear();
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (std::isdigit(static_cast<unsigned char>(*p))) digits += *p;
    point = (*p == 'e' ? std::atoi(p + 1) : 0) + 1;
}

}  // namespace

std::string FormatFixed(double value, int decimals)
{
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
    if (decimals < 0) decimals = 0;

    std::string digits;
    int point = 0;
    DecimalDigits(value, digits, point);

    // Keep the digits up to `decimals` places after the point and round the rest half away
    // from zero, as the patterns do.
    const int keep = point + decimals;
    std::string kept;
    if (keep <= 0) {
        // Every digit lies below the last place kept; only the first can round up to it.
        if (keep == 0 && digits[0] >= '5') kept = "1";
    } else {
        kept = digits.substr(0, std::size_t(keep));
        kept.resize(std::size_t(keep), '0');
        if (std::size_t(keep) < digits.size() && digits[std::size_t(keep)] >= '5') {
            int i = int(kept.size()) - 1;
            while (i >= 0 && kept[std::size_t(i)] == '9') kept[std::size_t(i--)] = '0';
            if (i < 0) {
                kept.insert(kept.begin(), '1');
            } else {
                ++kept[std::size_t(i)];
            }
        }
    }

    // Split into whole and fraction parts at the point; the kept digits end `decimals` places
    // after it.
    std::string whole, fraction;
    const int fracStart = int(kept.size()) - decimals;
    if (!kept.empty()) {
        if (fracStart > 0) whole = kept.substr(0, std::size_t(fracStart));
        if (fracStart >= 0) {
            fraction = kept.substr(std::size_t(fracStart));
        } else {
            fraction = std::string(std::size_t(-fracStart), '0') + kept;
        }
    }
    while (!whole.empty() && whole.front() == '0') whole.erase(whole.begin());
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();

    // A value that rounds to nothing is shown as the bare point, without a sign: "-." would
    // read as a stray mark next to a grid line.
    const bool zero = whole.empty() && fraction.empty();
    const std::string sign = (value < 0 && !zero) ? "-" : "";
    return sign + whole + "." + fraction;
}

}  // namespace plots
