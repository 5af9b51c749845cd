// Choices the general format leaves open: it switches to scientific notation, as VB's own
// number-to-text does, when the decimal exponent of the value rounded to 15 significant digits
// is 15 or more or below -4 (0.0001 stays "0.0001", 0.00001 becomes "1E-05"); exponents there
// have at least two digits. Values that are not finite never reach the tools' files in
// practice; they are written "NaN", "Inf" and "-Inf" rather than failing.
#include "plots/data/Numbers.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace plots {

const char* NonFiniteText(double value)
{
    if (std::isnan(value)) return "NaN";
    return value < 0 ? "-Inf" : "Inf";
}

Decimal RoundSignificant(double value, int decimals)
{
    Decimal d;
    // As printf's "%.*e" writes it, digit for digit, in a fraction of the time (a run summary
    // lists tens of thousands of values).
    std::array<char, 64> buf{};
    const auto written = std::to_chars(buf.data(), buf.data() + buf.size() - 1, value, std::chars_format::scientific,
                                       decimals);
    if (written.ec != std::errc()) std::snprintf(buf.data(), buf.size(), "%.*e", decimals, value);
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

std::string FormatGeneral(double value)
{
    if (!std::isfinite(value)) return NonFiniteText(value);
    if (value == 0) return "0";
    const Decimal d = RoundSignificant(value, 14);
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

bool ParseNumber(std::string_view text, double& value)
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
