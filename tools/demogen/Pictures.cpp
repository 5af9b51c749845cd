#include "tools/demogen/Pictures.h"

#include "plots/render/Surface.h"

#include <gif_lib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace demogen {

namespace {

using plots::Rgb;

constexpr plots::Colour Ink = Rgb(0, 0, 0);
constexpr plots::Colour Frame = Rgb(64, 64, 64);
constexpr plots::Colour Level = Rgb(0, 0, 160);
constexpr plots::Colour PathColour = Rgb(200, 0, 0);
constexpr plots::Colour Constraint = Rgb(0, 128, 0);

std::string Short(double v)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

void PrintAt(plots::Surface& s, double x, double y, const std::string& text)
{
    s.SetCurrentX(x);
    s.SetCurrentY(y);
    s.Print(text);
}

// The plot area's frame with whole-number ticks and their labels.
void DrawFrame(plots::Surface& s, double x0, double x1, double y0, double y1, double xStep, double yStep)
{
    s.SetDrawWidth(2);
    s.Line(x0, y0, x1, y0, Frame);
    s.Line(x1, y0, x1, y1, Frame);
    s.Line(x1, y1, x0, y1, Frame);
    s.Line(x0, y1, x0, y0, Frame);
    s.SetDrawWidth(1);
    s.SetFontSize(9);
    s.SetForeColour(Ink);
    const double tx = s.PixelsToUnitsX(5), ty = s.PixelsToUnitsY(5);
    for (double x = std::ceil(x0 / xStep) * xStep; x <= x1 + 1e-9; x += xStep) {
        s.Line(x, y0, x, y0 - ty, Frame);
        const std::string label = Short(std::fabs(x) < 1e-12 ? 0 : x);
        PrintAt(s, x - s.TextWidth(label) / 2, y0 + s.PixelsToUnitsY(6), label);
    }
    for (double y = std::ceil(y0 / yStep) * yStep; y <= y1 + 1e-9; y += yStep) {
        s.Line(x0, y, x0 + tx, y, Frame);
        const std::string label = Short(std::fabs(y) < 1e-12 ? 0 : y);
        PrintAt(s, x0 - s.TextWidth(label) - s.PixelsToUnitsX(6), y - s.PixelsToUnitsY(7), label);
    }
}

void Titles(plots::Surface& s, const std::string& title, const std::string& subtitle)
{
    s.SetPixelScale();
    s.SetForeColour(Ink);
    s.SetFontSize(14);
    PrintAt(s, (s.PixelWidth() - s.TextWidth(title)) / 2, 8, title);
    s.SetFontSize(10);
    PrintAt(s, (s.PixelWidth() - s.TextWidth(subtitle)) / 2, 34, subtitle);
}

// Sets a user scale that puts the rectangle inside the picture with room for labels.
void ScaleTo(plots::Surface& s, double x0, double x1, double y0, double y1)
{
    const double left = 70, right = 120, top = 60, bottom = 40;
    const double w = s.PixelWidth(), h = s.PixelHeight();
    const double ux = (x1 - x0) / (w - left - right);
    const double uy = (y1 - y0) / (h - top - bottom);
    s.SetUserScale(x0 - left * ux, y1 + top * uy, w * ux, -h * uy);
}

}  // namespace

std::vector<Segment> ContourSegments(const Objective& f, double level, double x0, double x1,
                                     double y0, double y1, int nx, int ny)
{
    std::vector<Segment> out;
    const double dx = (x1 - x0) / nx, dy = (y1 - y0) / ny;
    std::vector<double> v(static_cast<std::size_t>((nx + 1) * (ny + 1)));
    auto at = [&](int i, int j) -> double& { return v[static_cast<std::size_t>(j * (nx + 1) + i)]; };
    for (int j = 0; j <= ny; ++j)
        for (int i = 0; i <= nx; ++i)
            at(i, j) = f(x0 + i * dx, y0 + j * dy) - level;
    // Where the level crosses the edge between two corners.
    auto cross = [](double xa, double ya, double va, double xb, double yb, double vb) {
        const double t = va / (va - vb);
        return std::pair<double, double>{xa + t * (xb - xa), ya + t * (yb - ya)};
    };
    for (int j = 0; j < ny; ++j)
        for (int i = 0; i < nx; ++i) {
            const double xa = x0 + i * dx, xb = xa + dx, ya = y0 + j * dy, yb = ya + dy;
            const double c[4] = {at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)};
            const double cx[4] = {xa, xb, xb, xa}, cy[4] = {ya, ya, yb, yb};
            std::vector<std::pair<double, double>> hits;
            for (int e = 0; e < 4; ++e) {
                const int n = (e + 1) % 4;
                if ((c[e] < 0) != (c[n] < 0))
                    hits.push_back(cross(cx[e], cy[e], c[e], cx[n], cy[n], c[n]));
            }
            if (hits.size() == 2) {
                out.push_back({hits[0].first, hits[0].second, hits[1].first, hits[1].second});
            } else if (hits.size() == 4) {
                // Saddle: join the crossings so that the centre's side stays connected.
                const double centre = (c[0] + c[1] + c[2] + c[3]) / 4;
                if ((centre < 0) == (c[0] < 0)) {
                    out.push_back({hits[0].first, hits[0].second, hits[1].first, hits[1].second});
                    out.push_back({hits[2].first, hits[2].second, hits[3].first, hits[3].second});
                } else {
                    out.push_back({hits[0].first, hits[0].second, hits[3].first, hits[3].second});
                    out.push_back({hits[1].first, hits[1].second, hits[2].first, hits[2].second});
                }
            }
        }
    return out;
}

QImage DrawContourPicture(const ContourPicture& p, int width, int height)
{
    plots::ImageSurface s(width, height);
    s.SetBackColour(plots::White);
    s.Clear();
    Titles(s, p.Title, p.Subtitle);
    ScaleTo(s, p.X0, p.X1, p.Y0, p.Y1);

    if (p.ConstraintRadius > 0) {
        // Hatch the infeasible region outside the circle with short diagonal strokes.
        const double r2 = p.ConstraintRadius * p.ConstraintRadius;
        const double step = (p.X1 - p.X0) / 40;
        for (double x = p.X0 + step / 2; x < p.X1; x += step)
            for (double y = p.Y0 + step / 2; y < p.Y1; y += step)
                if (x * x + y * y > r2)
                    s.Line(x - step / 4, y - step / 4, x + step / 4, y + step / 4, Rgb(160, 220, 160));
    }
    for (std::size_t k = 0; k < p.Levels.size(); ++k) {
        const double level = p.Levels[k];
        const std::vector<Segment> segs = ContourSegments(p.F, level, p.X0, p.X1, p.Y0, p.Y1, 160, 160);
        for (const Segment& g : segs)
            s.Line(g.X1, g.Y1, g.X2, g.Y2, Level);
    }
    if (p.ConstraintRadius > 0) {
        s.SetDrawWidth(2);
        const double r = p.ConstraintRadius;
        for (int i = 0; i < 360; ++i) {
            const double a = i * 3.14159265358979323846 / 180, b = (i + 1) * 3.14159265358979323846 / 180;
            const double xa = r * std::cos(a), ya = r * std::sin(a), xb = r * std::cos(b), yb = r * std::sin(b);
            const bool inside = std::min(xa, xb) >= p.X0 && std::max(xa, xb) <= p.X1 &&
                                std::min(ya, yb) >= p.Y0 && std::max(ya, yb) <= p.Y1;
            if (inside)
                s.Line(xa, ya, xb, yb, Constraint);
        }
        s.SetDrawWidth(1);
    }
    if (!p.Path.empty()) {
        s.SetDrawWidth(2);
        for (std::size_t i = 1; i < p.Path.size(); ++i)
            s.Line(p.Path[i - 1][0], p.Path[i - 1][1], p.Path[i][0], p.Path[i][1], PathColour);
        s.SetDrawWidth(1);
        s.SetFontSize(8);
        s.SetForeColour(PathColour);
        for (std::size_t i = 0; i < p.Path.size(); ++i) {
            const double x = p.Path[i][0], y = p.Path[i][1];
            const double d = s.PixelsToUnitsX(3), e = s.PixelsToUnitsY(3);
            s.Line(x - d, y - e, x + d, y + e, PathColour);
            s.Line(x - d, y + e, x + d, y - e, PathColour);
            if (i < 6 || i + 1 == p.Path.size())
                PrintAt(s, x + s.PixelsToUnitsX(4), y, std::to_string(i));
        }
    }
    if (p.Marker.size() == 2) {
        const double x = p.Marker[0], y = p.Marker[1];
        const double d = s.PixelsToUnitsX(6), e = s.PixelsToUnitsY(6);
        s.SetDrawWidth(2);
        s.Line(x - d, y, x + d, y, Ink);
        s.Line(x, y - e, x, y + e, Ink);
        s.SetDrawWidth(1);
        s.SetFontSize(10);
        s.SetForeColour(Ink);
        PrintAt(s, x + s.PixelsToUnitsX(8), y + s.PixelsToUnitsY(-4), p.MarkerText);
    }
    DrawFrame(s, p.X0, p.X1, p.Y0, p.Y1, 1, 1);

    // Level key in the right margin.
    s.SetFontSize(9);
    s.SetForeColour(Level);
    const double keyX = p.X1 + s.PixelsToUnitsX(14);
    PrintAt(s, keyX, p.Y1, "Levels f =");
    for (std::size_t k = 0; k < p.Levels.size(); ++k)
        PrintAt(s, keyX, p.Y1 + s.PixelsToUnitsY(18 + 15 * static_cast<double>(k)), Short(p.Levels[k]));
    return s.Picture();
}

QImage DrawHistoryPicture(const std::string& title, const Vec& values, int width, int height)
{
    plots::ImageSurface s(width, height);
    s.SetBackColour(plots::White);
    s.Clear();
    Titles(s, title, "log10 f against the iteration number");
    Vec logs;
    for (double v : values)
        logs.push_back(std::log10(std::max(v, 1e-30)));
    const double lo = std::floor(*std::min_element(logs.begin(), logs.end()));
    const double hi = std::ceil(*std::max_element(logs.begin(), logs.end()));
    const double n = static_cast<double>(values.size() - 1);
    ScaleTo(s, 0, n, lo, hi);
    const double yStep = std::max(1.0, std::ceil((hi - lo) / 10));
    for (double y = lo; y <= hi; y += yStep)
        s.Line(0, y, n, y, Rgb(200, 200, 200));
    s.SetDrawWidth(2);
    for (std::size_t i = 1; i < logs.size(); ++i)
        s.Line(static_cast<double>(i - 1), logs[i - 1], static_cast<double>(i), logs[i], PathColour);
    s.SetDrawWidth(1);
    for (std::size_t i = 0; i < logs.size(); ++i) {
        const double d = s.PixelsToUnitsX(3), e = s.PixelsToUnitsY(3);
        s.Line(static_cast<double>(i) - d, logs[i] - e, static_cast<double>(i) + d, logs[i] + e, PathColour);
        s.Line(static_cast<double>(i) - d, logs[i] + e, static_cast<double>(i) + d, logs[i] - e, PathColour);
    }
    DrawFrame(s, 0, n, lo, hi, std::max(1.0, std::ceil(n / 10)), yStep);
    s.SetFontSize(9);
    s.SetForeColour(Ink);
    PrintAt(s, n + s.PixelsToUnitsX(14), hi, "final f =");
    PrintAt(s, n + s.PixelsToUnitsX(14), hi + s.PixelsToUnitsY(16), Short(values.back()));
    return s.Picture();
}

std::vector<QRgb> PicturePalette()
{
    return {qRgb(255, 255, 255), qRgb(0, 0, 0),       qRgb(64, 64, 64),   qRgb(128, 128, 128),
            qRgb(192, 192, 192), qRgb(224, 224, 224), qRgb(0, 0, 160),    qRgb(96, 96, 208),
            qRgb(176, 176, 232), qRgb(200, 0, 0),     qRgb(232, 128, 128), qRgb(0, 128, 0),
            qRgb(160, 220, 160), qRgb(96, 176, 96),   qRgb(255, 160, 0),  qRgb(128, 0, 128)};
}

bool WriteGif(const std::string& path, const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const std::vector<QRgb> palette = PicturePalette();
    std::vector<GifColorType> colours;
    for (QRgb c : palette)
        colours.push_back({static_cast<GifByteType>(qRed(c)), static_cast<GifByteType>(qGreen(c)),
                           static_cast<GifByteType>(qBlue(c))});
    const std::filesystem::path p(path);
    std::error_code ec;
    if (p.has_parent_path())
        std::filesystem::create_directories(p.parent_path(), ec);

    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif)
        return false;
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
    bool ok = map && EGifPutScreenDesc(gif, image.width(), image.height(), 4, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, image.width(), image.height(), false, nullptr) == GIF_OK;
    // Each pixel takes the nearest palette colour: no dithering, so the file is the same on
    // every run.
    std::vector<GifPixelType> row(static_cast<std::size_t>(image.width()));
    for (int y = 0; ok && y < image.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            int best = 0;
            long bestDistance = -1;
            for (std::size_t k = 0; k < palette.size(); ++k) {
                const long dr = qRed(line[x]) - qRed(palette[k]);
                const long dg = qGreen(line[x]) - qGreen(palette[k]);
                const long db = qBlue(line[x]) - qBlue(palette[k]);
                const long d = dr * dr + dg * dg + db * db;
                if (bestDistance < 0 || d < bestDistance) {
                    bestDistance = d;
                    best = static_cast<int>(k);
                }
            }
            row[static_cast<std::size_t>(x)] = static_cast<GifPixelType>(best);
        }
        ok = EGifPutLine(gif, row.data(), image.width()) == GIF_OK;
    }
    if (map)
        GifFreeMapObject(map);
    const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
    // The library makes the file private; pictures are shipped like every other answer.
    std::filesystem::permissions(p, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                        std::filesystem::perms::group_read | std::filesystem::perms::others_read,
                                 ec);
    return ok && closed;
}

}  // namespace demogen
