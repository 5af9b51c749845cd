// Text turned by an angle: the Y-axis title of the line plots.
#pragma once

#include "plots/render/Surface.h"

#include <QRectF>

#include <cstdint>
#include <string>

namespace plots {

// A font request for turned text, field by field as the font service takes it.
struct RotatedFontRequest {
    int CellHeight = 14;       // pixels
    int AverageWidth = 0;      // the platform's default for the height
    int Escapement = 0;        // angle of the text line, tenths of a degree, counter-clockwise
    int Orientation = 0;       // angle of each character
    int Weight = 400;
    bool Italic = false, Underline = false, StrikeOut = false;
    int CharSet = 1;
    int OutPrecision = 7;
    int ClipPrecision = 0;
    int Quality = 2;
    int PitchAndFamily = 4;
    std::string FaceName = "Arial";
};

// Angle text in whole degrees ("90"); a text that is not a number draws at angle 0. The font's
// 14-pixel cell is laid out for a 640-pixel-wide screen and scales by `scale` (the surface's
// ScreenXFactor) like every other text. False when the font made for the text could not be
// given back (the caller tells the user).
bool RotatedText(Surface& surface, const std::string& text, const std::string& angleText, float x, float y,
                 double scale = 1.0);

// The box, in pixels, that RotatedText would print the text in.
QRectF RotatedTextBox(Surface& surface, const std::string& text, const std::string& angleText, float x, float y,
                      double scale = 1.0);

// The worker: makes the font, places the text so that its turned box sits about (x, y),
// prints it and gives the font back; false when the font could not be released.
bool DrawRotatedText(Surface& surface, float x, float y, const std::string& text, const RotatedFontRequest& font);

// The angle text as tenths of a degree: a whole-degree 16-bit number (rounded, halves to
// even) times ten; 0 when the text is not a number or the result does not fit 16 bits.
std::int16_t AngleTenths(const std::string& angleText);

// Where turned text starts: text width W, cell height H and internal leading L in current
// units, angle in tenths of a degree, about the point (x, y).
QPointF RotatedTextStart(double x, double y, double W, double H, double L, int angleTenths);

}  // namespace plots
