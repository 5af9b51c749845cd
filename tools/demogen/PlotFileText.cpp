#include "tools/demogen/PlotFileText.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace demogen {

std::string Num(double v)
{
    if (std::fabs(v) < 5e-300)
        v = 0.0;  // never "-0"
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.7G", v);
    return buf;
}

void PlotFileText::Numbers(const Vec& values)
{
    std::string line;
    for (double v : values) {
        if (!line.empty())
            line += "  ";
        line += Num(v);
    }
    Line(line);
}

void PlotFileText::Points(const Vec& x, const Vec& c2, const Vec& c3)
{
    for (std::size_t i = 0; i < x.size(); ++i)
        Numbers({x[i], c2[i], c3[i]});
}

void PlotFileText::Points(const Vec& x, const Vec& y)
{
    for (std::size_t i = 0; i < x.size(); ++i)
        Numbers({x[i], y[i]});
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    const std::filesystem::path p(path);
    std::error_code ec;
    if (p.has_parent_path())
        std::filesystem::create_directories(p.parent_path(), ec);
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace demogen
