// A test device of the plot surface: draws like an image surface and keeps a list of every
// call, in current units and in pixels, with colour, dash style, width, font size and text, so
// that tests assert what was drawn where.
#pragma once

#include "plots/render/Surface.h"
#include "plots/render/TabbedText.h"

#include <QFontMetricsF>
#include <QRectF>

#include <string>
#include <vector>

namespace plots {

struct DrawCall {
    enum Kind { Fill, Line, Text, Picture } Type = Fill;
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;  // current units at the time of the call
    QPointF P1, P2;                          // pixels (a line as the device got it: cut to the picture)
    Colour Colour_ = 0;
    int Style = 0;
    int Width = 0;
    double DashOffset = 0;
    std::string Text_;
    double FontSize = 0;
    double Angle = 0;
    QRectF Box;              // a text's box in pixels (advance and line height), turned with it
    QRectF Ink;              // the pixels its glyphs cover, turned with it
    std::vector<double> PieceX;  // where each of its tab-separated pieces starts, in pixels
    bool InPixelUnits = false;  // drawn in pixel units (titles, legends), not in plot units
};

class RecordingSurface : public ImageSurface {
public:
    using ImageSurface::ImageSurface;
    std::vector<DrawCall> Calls;

    std::vector<DrawCall> Lines() const { return Of(DrawCall::Line); }
    std::vector<DrawCall> Texts() const { return Of(DrawCall::Text); }
    // The first text call whose text equals the given one, or nullptr.
    const DrawCall* FindText(const std::string& text) const
    {
        for (const DrawCall& d : Calls)
            if (d.Type == DrawCall::Text && d.Text_ == text) return &d;
        return nullptr;
    }

protected:
    void FillPx(Colour c) override
    {
        Calls.push_back(NewCall(DrawCall::Fill, c));
        ImageSurface::FillPx(c);
    }
    void LinePx(QPointF a, QPointF b, Colour c, int style, int width, double dashOffset) override
    {
        DrawCall d = NewCall(DrawCall::Line, c);
        d.P1 = a;
        d.P2 = b;
        d.Style = style;
        d.Width = width;
        d.DashOffset = dashOffset;
        Calls.push_back(d);
        ImageSurface::LinePx(a, b, c, style, width, dashOffset);
    }
    // Every line of a curve is recorded as its own call.
    bool SolidLinesPx(const std::vector<QLineF>&, Colour, int) override { return false; }
    void TextPx(QPointF topLeft, const QString& text, const QFont& font, Colour c, double angleDegrees) override
    {
        DrawCall d = NewCall(DrawCall::Text, c);
        d.X2 = d.Y2 = 0;
        d.P1 = topLeft;
        d.Text_ = text.toStdString();
        d.FontSize = Font().CellHeightPx > 0 ? 0 : Font().SizePoints;
        d.Angle = angleDegrees;
        d.InPixelUnits = IsPixelScale();
        // Measured afresh, not from what the surface kept.
        FontTexts texts(font, MetricsDevice());
        const double width = TabbedTextEnd(text, texts, topLeft.x(), 0) - topLeft.x();
        double pieceX = topLeft.x();
        for (const QString& piece : text.split('\t')) {
            d.PieceX.push_back(pieceX);
            pieceX = TabbedTextEnd(piece + '\t', texts, pieceX, 0);
        }
        if (angleDegrees == 90) {
            const QRectF ink = TabbedTextInk(text, texts, 0, 0);
            // A quarter turn upward: the text runs up from its start, its height to the right.
            d.Box = QRectF(topLeft.x(), topLeft.y() - width, texts.Height(), width);
            d.Ink = QRectF(topLeft.x() + ink.top(), topLeft.y() - ink.right(), ink.height(), ink.width());
        } else {
            d.Box = QRectF(topLeft.x(), topLeft.y(), width, texts.Height());
            d.Ink = TabbedTextInk(text, texts, topLeft.x(), 0).translated(0, topLeft.y());
        }
        Calls.push_back(d);
        ImageSurface::TextPx(topLeft, text, font, c, angleDegrees);
    }
    void PicturePx(const QImage& picture, const QRectF& target) override
    {
        DrawCall d = NewCall(DrawCall::Picture, 0);
        d.P1 = target.topLeft();
        d.P2 = target.bottomRight();
        Calls.push_back(d);
        ImageSurface::PicturePx(picture, target);
    }

private:
    // A call of the given kind at the position the surface is drawing at.
    DrawCall NewCall(DrawCall::Kind kind, Colour c) const
    {
        DrawCall d;
        d.Type = kind;
        d.X1 = callX1_;
        d.Y1 = callY1_;
        d.X2 = callX2_;
        d.Y2 = callY2_;
        d.Colour_ = c;
        return d;
    }
    std::vector<DrawCall> Of(DrawCall::Kind kind) const
    {
        std::vector<DrawCall> out;
        for (const DrawCall& d : Calls)
            if (d.Type == kind) out.push_back(d);
        return out;
    }
};

}  // namespace plots
