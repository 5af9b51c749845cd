// PLACEHOLDER: the digit-placeholder patterns and number parsing land with the rendering work.
#include "plots/report/Format.h"

#include <cstdlib>

namespace plots {

std::string FormatFixed(double value, int) { return std::to_string(value); }
double LeadingNumber(const std::string& text) { return std::atof(text.c_str()); }
bool ParseNumber(const std::string& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return end && *end == 0 && !text.empty();
}

}  // namespace plots
