// Turned text: a font whose text line runs at an angle, placed about a point.
#include "plots/render/RotatedText.h"

#include "plots/data/Numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace plots {

namespace {
constexpr double Pi = 3.14159265;
}

std::int16_t AngleTenths(const std::string& angleText)
{
    double degrees = 0;
    if (!ParseNumber(angleText, degrees)) return 0;
    const double whole = std::nearbyint(degrees);
    if (whole < std::numeric_limits<std::int16_t>::min() || whole > std::numeric_limits<std::int16_t>::max()) return 0;
    const int tenths = int(whole) * 10;
    if (tenths < std::numeric_limits<std::int16_t>::min() || tenths > std::numeric_limits<std::int16_t>::max()) return 0;
    return std::int16_t(tenths);
}

QPointF RotatedTextStart(double x, double y, double W, double H, double L, int angleTenths)
{
    const double h = H - L;
    const double theta = angleTenths / 10.0 / 180.0 * Pi;
    const double phi = Pi / 2 - theta;
    const double x0 = x - (W * std::cos(theta) + h * std::cos(phi)) / 2 - L * std::cos(phi);
    const double y0 = y - (W * std::sin(theta) + h * std::sin(phi)) / 2 - L * std::sin(phi);
    return {x0, y0};
}

namespace {

FontRequest RequestOf(const RotatedFontRequest& font)
{
    FontRequest request;
    request.Face = font.FaceName;
    request.CellHeightPx = font.CellHeight;
    request.Weight = font.Weight;
    request.Italic = font.Italic;
    request.AngleDegrees = font.Escapement / 10.0;
    return request;
}

// Makes the font current and puts the current position where the text starts.
void PlaceRotatedText(Surface& surface, float x, float y, const std::string& text, const RotatedFontRequest& font)
{
    surface.SelectFont(RequestOf(font));
    const double H = surface.PixelsToUnitsY(surface.FontCellHeightPx());
    const double L = surface.PixelsToUnitsY(surface.FontInternalLeadingPx());
    const double W = surface.TextWidth(text);
    const QPointF start = RotatedTextStart(x, y, W, H, L, font.Escapement);
    surface.SetCurrentX(start.x());
    surface.SetCurrentY(start.y());
}

RotatedFontRequest ScaledRequest(const std::string& angleText, double scale)
{
    RotatedFontRequest font;
    font.Escapement = AngleTenths(angleText);
    if (scale > 0 && std::isfinite(scale)) font.CellHeight = std::max(1, int(std::lround(font.CellHeight * scale)));
    return font;
}

}  // namespace

QRectF RotatedTextBox(Surface& surface, const std::string& text, const std::string& angleText, float x, float y,
                      double scale)
{
    const RotatedFontRequest font = ScaledRequest(angleText, scale);
    const double keepX = surface.CurrentX(), keepY = surface.CurrentY();
    PlaceRotatedText(surface, x, y, text, font);
    const QRectF box = surface.TextInkPx(text);
    surface.RestoreFont();
    surface.SetCurrentX(keepX);
    surface.SetCurrentY(keepY);
    return box;
}

bool DrawRotatedText(Surface& surface, float x, float y, const std::string& text, const RotatedFontRequest& font)
{
    PlaceRotatedText(surface, x, y, text, font);
    surface.Print(text);

    return surface.RestoreFont();
}

bool RotatedText(Surface& surface, const std::string& text, const std::string& angleText, float x, float y,
                 double scale)
{
    return DrawRotatedText(surface, x, y, text, ScaledRequest(angleText, scale));
}

}  // namespace plots
