// The plot surface: the one drawing interface every plot, title, legend and map is drawn
// through. It keeps a current position, text colour, font, dash style and line width, and
// counts either in pixels (origin top-left, y down) or in a user scale (left, top, width,
// height; a negative height makes y grow upward). Devices derive from it and supply the four
// pixel-level primitives; everything else (scales, positions, clipping to the picture, dash
// patterns that run on along joined lines, tab stops, rotated-font metrics) is shared, so the
// window, the exported image, vector files, the printer and the recording test device draw the
// same picture.
#pragma once

#include "plots/render/Colour.h"
#include "plots/render/FontTexts.h"

#include <QFont>
#include <QImage>
#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>

#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPaintDevice;
class QPainter;
class QPen;

namespace plots {

// Dash styles of lines.
enum DashStyle : int { DashSolid = 0, DashDash = 1, DashDot = 2, DashDashDot = 3, DashDashDotDot = 4 };

// A font request: face, size in points or cell height in pixels, angle of the text line.
struct FontRequest {
    std::string Face = "Arial";
    double SizePoints = 8.0;
    double CellHeightPx = 0.0;  // when above 0, the font is made so that its cell height is this
    int Weight = 400;
    bool Italic = false;
    double AngleDegrees = 0.0;  // counter-clockwise

    bool operator==(const FontRequest&) const = default;
};

class Surface {
public:
    Surface(int pixelWidth, int pixelHeight);
    virtual ~Surface();
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    // Device size.
    int PixelWidth() const { return width_; }
    int PixelHeight() const { return height_; }

    // Background and clearing: fills with the background colour, drops any picture and puts
    // the current position at the scale's top-left corner.
    void SetBackColour(Colour c) { back_ = c; }
    Colour BackColour() const { return back_; }
    void Clear();
    // Lines drawn anti-aliased (the "Smooth lines" setting) or, as classically, with hard edges.
    // Vector devices are smooth in any case.
    void SetSmoothLines(bool smooth) { smoothLines_ = smooth; }
    bool SmoothLines() const { return smoothLines_; }

    // Coordinate systems.
    void SetPixelScale();
    void SetUserScale(double left, double top, double width, double height);
    bool IsPixelScale() const { return pixelScale_; }
    double ScaleLeft() const { return left_; }
    double ScaleTop() const { return top_; }
    double ScaleWidth() const { return scaleW_; }
    double ScaleHeight() const { return scaleH_; }
    // A distance in pixels as a distance in current units (signed as the scale is).
    double PixelsToUnitsX(double px) const { return px * scaleW_ / width_; }
    double PixelsToUnitsY(double px) const { return px * scaleH_ / height_; }
    double ToPixelX(double x) const { return (x - left_) * width_ / scaleW_; }
    double ToPixelY(double y) const { return (y - top_) * height_ / scaleH_; }

    // Pen and text state.
    void SetDrawStyle(int style) { drawStyle_ = style; }
    int DrawStyle() const { return drawStyle_; }
    void SetDrawWidth(int px) { drawWidth_ = px < 1 ? 1 : px; }
    int DrawWidth() const { return drawWidth_; }
    void SetForeColour(Colour c) { fore_ = c; }
    Colour ForeColour() const { return fore_; }
    void SetFontSize(double points) { font_.SizePoints = points; font_.CellHeightPx = 0; }
    double FontSize() const { return font_.SizePoints; }
    void SetFontFace(const std::string& face) { font_.Face = face; }
    const FontRequest& Font() const { return font_; }

    // Current position, in current units.
    void SetCurrentX(double x) { curX_ = x; }
    void SetCurrentY(double y) { curY_ = y; }
    double CurrentX() const { return curX_; }
    double CurrentY() const { return curY_; }

    // A straight line in current units, in the given colour with the current dash style and
    // width; the current position moves to its end.
    void Line(double x1, double y1, double x2, double y2, Colour c);
    // Lines joining the points in turn, as Line draws each; a device may stroke solid ones
    // together.
    void Polyline(const std::vector<QPointF>& points, Colour c);
    // While set, lines are cut to this rectangle in pixels (a zoomed plot keeps its curves inside
    // the frame, off its titles and legends); otherwise only to the picture.
    void SetLineClip(std::optional<QRectF> pixels) { lineClip_ = pixels; }
    // Text with its top-left corner at the current position, transparent background, in the
    // current font and text colour. Tab characters advance to the next tab stop (every 14
    // average character widths from the left edge). Afterwards the current position is at the
    // left edge, one line lower.
    void Print(const std::string& text);
    // Width and height of a text in current units (unturned, in the current font).
    double TextWidth(const std::string& text) const;
    double TextHeight(const std::string& text) const;
    // The box a text printed now at the current position covers, in pixels: its advance (tab
    // stops counted from the surface's left edge) and its line height; turned with the font.
    QRectF TextBoxPx(const std::string& text) const;
    // The pixels its glyphs would cover. An unturned text measured only up to measureToPx: once
    // its ink reaches right of it, the rest adds only its height, or nothing (a legend line of
    // thousands of values, most of them far off the surface).
    QRectF TextInkPx(const std::string& text, double measureToPx = std::numeric_limits<double>::infinity(),
                     bool heightsBeyond = true) const;

    // Rotated-text support: make a font from a request and make it current, keeping the
    // previous one; its cell height and internal leading in pixels; give the previous font
    // back, reporting whether the made font was released.
    void SelectFont(const FontRequest& request);
    double FontCellHeightPx() const;
    double FontInternalLeadingPx() const;
    bool RestoreFont();

    // A picture stretched over a rectangle in current units.
    void DrawPicture(const QImage& picture, double x, double y, double w, double h);

    // Shows what was drawn (the window repaints; other devices do nothing).
    void Refresh();
    std::function<void()> OnRefresh;

    // The persistent image: everything drawn so far.
    virtual QImage Picture() const = 0;

    // The Qt font a request stands for on this device.
    QFont MakeQFont(const FontRequest& request) const;

    // Measures texts, and keeps what it measured, with another surface: the pass that learns
    // where a plot's texts land before the plot is drawn on that surface.
    void ShareTexts(const Surface& other);

protected:
    // Pixel-level primitives of a device. A line arrives cut to the picture (with a margin of a
    // few pen widths), and a dashed one with the offset into its pattern at which it starts, in
    // pen widths.
    virtual void FillPx(Colour c) = 0;
    virtual void LinePx(QPointF a, QPointF b, Colour c, int style, int width, double dashOffset) = 0;
    virtual void TextPx(QPointF topLeft, const QString& text, const QFont& font, Colour c,
                        double angleDegrees) = 0;
    virtual void PicturePx(const QImage& picture, const QRectF& target) = 0;
    // Solid lines of one colour and width, already cut to the picture, stroked together; false
    // when the device draws each line through LinePx instead.
    virtual bool SolidLinesPx(const std::vector<QLineF>&, Colour, int) { return false; }
    // The paint device that fonts are measured against.
    virtual QPaintDevice* MetricsDevice() const = 0;

    void ResizeDevice(int w, int h);
    // Paints a text that may hold tab characters, each advancing to the next tab stop.
    void PaintTabbedText(QPainter& p, QPointF topLeft, const QString& text, const QFont& font) const;
    // What every painting device does for a text call: the text in its colour, turned about its
    // start when asked, painted with `paintFont` and laid out with `font` as measured here.
    void PaintText(QPainter& p, QPointF topLeft, const QString& text, const QFont& font, const QFont& paintFont,
                   Colour c, double angleDegrees) const;
    // And for a picture: stretched smoothly over the rectangle.
    static void PaintPicture(QPainter& p, const QImage& picture, const QRectF& target);
    // The pen of a line call.
    static QPen LinePen(Colour c, int style, double width, double dashOffset);
    // An image of the given size at 96 dots per inch, the resolution fonts are measured at.
    static QImage ImageAt96Dpi(int width, int height);
    double TextWidthPx(const QString& text, const QFont& f) const;
    // The texts of a font as measured on this device.
    std::shared_ptr<FontTexts> TextsOf(const QFont& font) const;
    // The call being made, in current units (read by the recording device).
    double callX1_ = 0, callY1_ = 0, callX2_ = 0, callY2_ = 0;

private:
    // A line's ends in pixels cut to the picture with a margin of a few pen widths; false when
    // nothing of it is inside.
    bool CutToPicture(QPointF& a, QPointF& b, int width) const;

    // Where the last dashed line ended and how far along its pattern, so that a curve made of
    // many short lines keeps one running pattern instead of restarting it at every point.
    struct DashRun {
        bool Valid = false;
        QPointF End;
        double Run = 0;
        Colour Colour_ = 0;
        int Style = 0, Width = 0;
    } dash_;

    int width_, height_;
    Colour back_ = White;
    Colour fore_ = Black;
    bool pixelScale_ = true;
    bool smoothLines_ = false;
    double left_ = 0, top_ = 0, scaleW_, scaleH_;
    int drawStyle_ = DashSolid;
    int drawWidth_ = 1;
    FontRequest font_;
    std::vector<FontRequest> savedFonts_;
    // The font last made, for the request and device it was made for: thousands of markers and
    // texts in a row ask for the same one.
    struct MadeFont {
        FontRequest Request;
        const QPaintDevice* Device = nullptr;
        QFont Font;
        std::shared_ptr<FontTexts> Texts;  // found when first asked for
    };
    mutable std::optional<MadeFont> lastFont_;
    std::shared_ptr<TextStore> texts_ = std::make_shared<TextStore>();
    double curX_ = 0, curY_ = 0;
    std::optional<QRectF> lineClip_;
};

// Draws into an image held by the surface: the window's persistent picture, export and
// saving. The image counts 96 dots per inch, so point sizes come out as on a common screen.
//
// One painter stays open on the image between drawing calls (a curve is tens of thousands of
// lines); it is ended before the image is read, filled or resized.
class ImageSurface : public Surface {
public:
    ImageSurface(int pixelWidth, int pixelHeight);
    ~ImageSurface() override;
    QImage Picture() const override;
    const QImage& Image() const;
    // New size; the picture is cleared to the background colour.
    void Resize(int pixelWidth, int pixelHeight);

protected:
    void FillPx(Colour c) override;
    void LinePx(QPointF a, QPointF b, Colour c, int style, int width, double dashOffset) override;
    void TextPx(QPointF topLeft, const QString& text, const QFont& font, Colour c,
                double angleDegrees) override;
    void PicturePx(const QImage& picture, const QRectF& target) override;
    bool SolidLinesPx(const std::vector<QLineF>& lines, Colour c, int width) override;
    QPaintDevice* MetricsDevice() const override;

public:
    // How a curve's solid lines are stroked; the picture is the same every way (the other ways
    // are there only to show that it is): the lines whose pixels the others already paint left
    // out, every line in one batch, or each line alone as any other line is drawn.
    enum class CurveLines { LeaveOutCovered, Together, OneByOne };
    void SetCurveLines(CurveLines way) { curveLines_ = way; }

private:
    // The open painter, begun on first use, with the pen it was last given.
    QPainter& Painter();
    // The painter for lines: anti-aliased as the lines are set to be.
    QPainter& LinePainter();
    void SetPen(Colour c, int style, int width, double dashOffset);
    void EndPainting() const;
    // Aliased, unturned, unclipped painting on device pixels: where the pixels of a line are
    // known without the engine.
    bool PlainPainting(const QPainter& p) const;

    mutable QImage image_;
    QImage spare_;  // the picture before, while something else may still hold it
    mutable std::unique_ptr<QPainter> painter_;
    bool penSet_ = false;
    Colour penColour_ = 0;
    int penStyle_ = 0, penWidth_ = 0;
    double penDashOffset_ = 0;
    std::optional<Colour> textPen_;  // the colour of the text pen while one is set
    CurveLines curveLines_ = CurveLines::LeaveOutCovered;
};

// Draws nothing and measures text as the image surface does, at 96 dots per inch: a first pass
// over a plot learns where its texts land.
class MeasuringSurface : public Surface {
public:
    MeasuringSurface(int pixelWidth, int pixelHeight);
    QImage Picture() const override { return {}; }

protected:
    void FillPx(Colour) override {}
    void LinePx(QPointF, QPointF, Colour, int, int, double) override {}
    void TextPx(QPointF, const QString&, const QFont&, Colour, double) override {}
    void PicturePx(const QImage&, const QRectF&) override {}
    QPaintDevice* MetricsDevice() const override;

private:
    mutable QImage metrics_;
};

}  // namespace plots
