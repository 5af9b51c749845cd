// PLACEHOLDER: the scientific, general and date formats land with the run reports.
#include "plots/report/Format.h"

namespace plots {

std::string FormatScientific(double value) { return std::to_string(value); }
std::string FormatShortScientific(double value) { return std::to_string(value); }
std::string FormatValue(double value) { return "\t" + std::to_string(value); }
std::string FormatList(const Series& values, int n)
{
    std::string s = "\t";
    for (int i = 0; i < n && i < int(values.size()); ++i) s += std::to_string(values[i]) + "\t";
    return s;
}
std::string FormatGeneral(double value) { return std::to_string(value); }
std::string FormatFileDate(const QDateTime& when) { return when.toString("MMM dd, yyyy hh:mm AP").toStdString(); }

}  // namespace plots
