// Numbers as the tools' files and the user's fields hold them: reading a decimal number, the
// leading number of a text, and the general number form (up to 15 significant digits) in which
// the reader keeps some values as text and the reports print them.
#pragma once

#include <string>
#include <string_view>

namespace plots {

// The whole text as a decimal number, or false when it is not one.
bool ParseNumber(std::string_view text, double& value);
// The leading number of a text, as a VB Val() reads it (0 when there is none).
double LeadingNumber(const std::string& text);

// General format: up to 15 significant digits, no trailing zeros, scientific for very small
// and very large magnitudes.
std::string FormatGeneral(double value);

// A value rounded to 1 + `decimals` significant digits: the digits (without sign) and the
// decimal exponent of the first one. Rounding carries into the exponent (9.999 at two
// decimals gives digits "100", exponent 1).
struct Decimal {
    bool Negative = false;
    std::string Digits;
    int Exponent = 0;
};
Decimal RoundSignificant(double value, int decimals);
std::string WithoutTrailingZeros(std::string digits);
// "NaN", "Inf" or "-Inf".
const char* NonFiniteText(double value);

}  // namespace plots
