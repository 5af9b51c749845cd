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

double LeadingNumber(const std::string& text)
{
    // Blanks, tabs and line feeds are skipped anywhere, as Val does ("1 2" reads 12).
    std::string compact;
    for (char c : text)
        if (c != ' ' && c != '\t' && c != '\n' && c != '\r') compact += c;
    const std::string_view s(compact);
    if (s.size() >= 2 && s[0] == '&') {
        const char kind = char(std::toupper(static_cast<unsigned char>(s[1])));
        const int base = kind == 'H' ? 16 : kind == 'O' ? 8 : 0;
        if (base == 0) return 0;
        long long v = 0;
        std::size_t i = 2;
        for (; i < s.size() && i < 18; ++i) {
            const int d = std::isdigit(static_cast<unsigned char>(s[i])) ? s[i] - '0'
                          : base == 16 && std::isxdigit(static_cast<unsigned char>(s[i]))
                              ? std::toupper(static_cast<unsigned char>(s[i])) - 'A' + 10
                              : -1;
            if (d < 0 || d >= base) break;
            v = v * base + d;
        }
        return double(v);
    }

    // sign, digits, one point, digits, then an exponent (E or D) only when digits follow it
    std::size_t i = 0;
    std::string number;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) number += s[i++];
    bool anyDigit = false;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
        number += s[i++];
        anyDigit = true;
    }
    if (i < s.size() && s[i] == '.') {
        number += s[i++];
        while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
            number += s[i++];
            anyDigit = true;
        }
    }
    if (!anyDigit) return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent += s[j++];
        bool expDigits = false;
        while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j]))) {
            exponent += s[j++];
            expDigits = true;
        }
        if (expDigits) number += exponent;
    }
    const double v = std::strtod(number.c_str(), nullptr);
    return std::isfinite(v) ? v : 0;
}

bool ParseNumber(const std::string& text, double& value)
{
    std::size_t b = 0, e = text.size();
    while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
    if (b < e && text[b] == '+') ++b;
    if (b == e) return false;
    // Only plain decimal forms: a digit or a point must start the number ("inf", "nan" and
    // hexadecimal are not numbers to a user typing an axis value).
    const std::size_t start = (text[b] == '-') ? b + 1 : b;
    if (start >= e || !(std::isdigit(static_cast<unsigned char>(text[start])) || text[start] == '.')) return false;
    double v = 0;
    const auto [ptr, ec] = std::from_chars(text.data() + b, text.data() + e, v, std::chars_format::general);
    if (ec != std::errc() || ptr != text.data() + e || !std::isfinite(v)) return false;
    value = v;
    return true;
}

}  // namespace plots
