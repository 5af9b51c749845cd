// Colours as the settings store and the colour swatches keep them: 24-bit RGB in a 32-bit
// integer with red in the lowest byte (hexadecimal BBGGRR).
#pragma once

#include <QColor>
#include <cstdint>

namespace plots {

using Colour = std::uint32_t;

constexpr Colour Rgb(int r, int g, int b)
{
    return Colour(r & 0xFF) | (Colour(g & 0xFF) << 8) | (Colour(b & 0xFF) << 16);
}

inline QColor ToQColor(Colour c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

inline Colour FromQColor(const QColor& q)
{
    return Rgb(q.red(), q.green(), q.blue());
}

inline constexpr Colour Black = 0;
inline constexpr Colour White = Rgb(255, 255, 255);
inline constexpr Colour Red = Rgb(255, 0, 0);

}  // namespace plots
