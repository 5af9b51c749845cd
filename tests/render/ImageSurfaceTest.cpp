#include "plots/render/Surface.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include <vector>

namespace plots {
namespace {

QColor At(const QImage& image, int x, int y) { return image.pixelColor(x, y); }

TEST(ImageSurface, PictureReadBetweenDrawingCallsHoldsEverythingDrawnSoFar)
{
    ImageSurface s(100, 50);
    s.SetBackColour(White);
    s.Clear();
    s.Line(0, 10, 100, 10, Red);
    const QImage first = s.Picture();
    s.Line(0, 30, 100, 30, Black);
    const QImage second = s.Image();
    EXPECT_EQ(At(first, 50, 10), QColor(Qt::red));
    EXPECT_EQ(At(first, 50, 30), QColor(Qt::white)) << "an earlier picture is not changed by later lines";
    EXPECT_EQ(At(second, 50, 10), QColor(Qt::red));
    EXPECT_EQ(At(second, 50, 30), QColor(Qt::black));

    s.Resize(60, 40);  // while a painter could be open
    EXPECT_EQ(s.Picture().size(), QSize(60, 40));
    EXPECT_EQ(At(s.Picture(), 30, 10), QColor(Qt::white));
    s.Line(0, 20, 60, 20, Red);
    EXPECT_EQ(At(s.Picture(), 30, 20), QColor(Qt::red));

    s.SetBackColour(Black);
    s.Clear();
    EXPECT_EQ(At(s.Picture(), 30, 20), QColor(Qt::black));

    // Pictures handed on and still held keep their pixels through the clearings that follow.
    const QImage held = s.Picture();
    s.SetBackColour(White);
    s.Clear();
    const QImage held2 = s.Picture();
    s.SetBackColour(Red);
    s.Clear();
    s.Clear();
    EXPECT_EQ(At(held, 30, 20), QColor(Qt::black));
    EXPECT_EQ(At(held2, 30, 20), QColor(Qt::white));
    EXPECT_EQ(At(s.Picture(), 30, 20), QColor(Qt::red));
}

// A curve of many points comes out the same whichever way its lines are stroked, aliased or
// smooth, also as the first thing drawn after a clearing.
TEST(ImageSurface, CurvesAreTheSameEveryWayTheirLinesAreStroked)
{
    std::vector<QPointF> noise;
    unsigned seed = 7;
    for (int i = 0; i < 4000; ++i) {
        seed = seed * 1103515245 + 12345;
        noise.emplace_back(5 + i * 0.05, 5 + (seed >> 16) % 150);
    }
    for (const bool smooth : {false, true}) {
        SCOPED_TRACE(smooth ? "smooth" : "aliased");
        QImage pictures[3];
        int i = 0;
        for (const auto way : {ImageSurface::CurveLines::OneByOne, ImageSurface::CurveLines::Together,
                               ImageSurface::CurveLines::LeaveOutCovered}) {
            ImageSurface s(220, 160);
            s.SetCurveLines(way);
            s.SetSmoothLines(smooth);
            s.SetBackColour(White);
            s.Clear();
            s.SetDrawWidth(2);
            s.Polyline(noise, Red);
            pictures[i++] = s.Picture();
        }
        EXPECT_EQ(pictures[1], pictures[0]);
        EXPECT_EQ(pictures[2], pictures[0]);
    }
}

TEST(ImageSurface, PenFollowsEachLinesColourStyleAndWidthAfterText)
{
    ImageSurface s(200, 60);
    s.SetBackColour(White);
    s.Clear();
    s.SetDrawWidth(3);
    s.Line(0, 10, 200, 10, Red);
    s.SetCurrentX(0);
    s.SetCurrentY(20);
    s.SetForeColour(Rgb(0, 0, 255));
    s.Print("text");
    s.SetDrawWidth(1);
    s.Line(0, 50, 200, 50, Rgb(0, 128, 0));
    const QImage p = s.Picture();
    EXPECT_EQ(At(p, 100, 9), QColor(Qt::red)) << "three pixels wide";
    EXPECT_EQ(At(p, 100, 11), QColor(Qt::red));
    EXPECT_EQ(At(p, 100, 50), QColor(0, 128, 0));
    EXPECT_EQ(At(p, 100, 49), QColor(Qt::white)) << "one pixel wide";
}

// Unturned texts are drawn from glyphs shaped once per font: they must come out as the painter
// draws the text itself, glyph for glyph, at the same fraction of a pixel, in each text's own
// colour and size, also where a text reaches off the picture; a text with tabs as the painter
// draws its pieces at the tab stops (every 14 average character widths from the left edge).
TEST(ImageSurface, TextsComeOutAsThePainterDrawsThem)
{
    struct Text {
        std::string What;
        double X, Y;
        Colour Ink;
        double Points = 0;  // the case's size when 0
    };
    const struct {
        const char* Case;
        double Points;
        std::vector<Text> Texts;
    } cases[] = {
        {"marker letters", 10,
         {{"X", 20, 10, Rgb(0, 0, 255)}, {"O", 40.3, 10.6, Rgb(0, 0, 255)}, {"dO", 60.7, 11.2, Rgb(200, 0, 0)},
          {"X", 90.45, 30.15, Rgb(0, 0, 255)}, {"X", 90.95, 50.5, Rgb(200, 0, 0)}}},
        {"small letters", 7.5, {{"O", 5.125, 5.875, Black}, {"X", 5.6, 25.33, Black}, {"dO", 30.01, 40.99, Black}}},
        {"off the edges", 10, {{"X", -4.4, 20, Black}, {"O", 113.5, -6.25, Rgb(0, 128, 0)}, {"dO", 110.2, 62.8, Black}}},
        {"labels", 8,
         {{"-1.25E-03", 2.5, 3.5, Black}, {"0.5 ", 70.2, 20.8, Rgb(128, 0, 128)}, {"Hz", 2.75, 45.25, Black}}},
        {"titles", 9,
         {{"Elliptic low-pass, 5 poles (tm)", 1.3, 2.7, Black},
          {"Poles (X), Zeroes (O) and Doublets (D)", -20.6, 30.1, Rgb(0, 0, 255)}}},
        {"sizes taking turns", 8,
         {{"Gain", 3.2, 2.2, Black, 14}, {"Gain", 60.4, 4.6, Black}, {"Gain", 3.7, 35.3, Black, 11.25},
          {"Gain", 60.1, 40.9, Black, 14}, {"Gain", 30.5, 55.5, Black}}},
        {"tab stops", 6,
         {{"Poles:\t-1.04E-1\t2.11", 1.5, 2.25, Black}, {"\tO\t\tX", 0.6, 20.7, Rgb(200, 0, 0)},
          {"A\tB", 63.3, 40.4, Black}, {"Zeroes:  \t0.713\t1.01\t1.35\t-0.457", -10.2, 55.6, Black},
          {"Omega-Axis Zeroes and Doublets:\t0.713", 0.4, 45.1, Black}}},
        {"characters a text layout breaks at", 9,
         {{"one\ntwo", 2.5, 3.5, Black}, {std::string("a\u2028b"), 40.2, 20.4, Black},
          {"\x01X\x7fO", 70.6, 40.6, Black}}},
        // A title that begins in a right-to-left script runs right to left, as the painter
        // lays it out.
        {"right-to-left and mixed texts", 9,
         {{"\u0645\u0631\u062d\u0628\u0627 123 low-pass", 1.5, 2.5, Black},
          {"\u05e9\u05dc\u05d5\u05dd (tm) 5", 2.2, 25.5, Black},
          {"Elliptic \u05e9\u05dc\u05d5\u05dd \u0661\u0662", 0.5, 45.5, Black}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        ImageSurface s(120, 70);
        s.SetBackColour(White);
        s.Clear();
        QImage expected = s.Picture().copy();
        QPainter p(&expected);
        p.setRenderHint(QPainter::TextAntialiasing);
        for (const Text& t : c.Texts) {
            s.SetFontSize(t.Points > 0 ? t.Points : c.Points);
            s.SetForeColour(t.Ink);
            s.SetCurrentX(t.X);
            s.SetCurrentY(t.Y);
            s.Print(t.What);
            const QFont font = s.MakeQFont(s.Font());
            const QFontMetricsF fm(font, &expected);
            p.setFont(font);
            p.setPen(ToQColor(t.Ink));
            double x = t.X;
            const QStringList pieces = QString::fromStdString(t.What).split('\t');
            for (qsizetype i = 0; i < pieces.size(); ++i) {
                p.drawText(QPointF(x, t.Y + fm.ascent()), pieces[i]);
                const double stop = 14 * fm.averageCharWidth();
                x = (std::floor((x + fm.horizontalAdvance(pieces[i])) / stop) + 1) * stop;
            }
        }
        p.end();
        const QImage drawn = s.Picture();
        int differ = 0, inked = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x) {
                differ += drawn.pixel(x, y) != expected.pixel(x, y);
                inked += expected.pixel(x, y) != QColor(Qt::white).rgb();
            }
        EXPECT_EQ(differ, 0) << "of " << inked << " inked pixels";
        EXPECT_GT(inked, 20 * int(c.Texts.size()));
    }
}

// A surface keeps what it measured, per font, and the pass that measures a plot before it is
// drawn shares it: every measure must still be the font's own on the device, whichever font was
// measured before and whichever surface measured it first.
TEST(ImageSurface, TextsMeasureAsTheirFontWhicheverWasMeasuredBefore)
{
    ImageSurface drawn(400, 300);
    MeasuringSurface first(400, 300);
    first.ShareTexts(drawn);
    const struct {
        double Points;
        int Weight;
        double CellHeightPx;
        std::string Text;
        Surface* On;
    } rows[] = {
        {10, 400, 0, "Gain:  \t1.01\t-3.07E-1", &first},
        {14, 400, 0, "Gain:  \t1.01\t-3.07E-1", &first},
        {10, 700, 0, "Gain:  \t1.01\t-3.07E-1", &drawn},
        {0, 400, 23, "Amplitude", &first},
        {0, 400, 30, "Amplitude", &drawn},
        {10, 400, 0, "Gain:  \t1.01\t-3.07E-1", &drawn},
        {14, 400, 0, "Tunewave (tm)", &drawn},
        {14.5, 400, 0, "Tunewave (tm)", &first},
        {14, 400, 0, "Tunewave (tm)", &first},
        {10, 400, 0, "Omega-Axis Zeroes and Doublets:\t0.713\t\t1.01", &drawn},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.Text + " at " + std::to_string(r.Points) + " points, cell " + std::to_string(r.CellHeightPx));
        Surface& s = *r.On;
        FontRequest request;
        request.SizePoints = r.Points > 0 ? r.Points : 8;
        request.CellHeightPx = r.CellHeightPx;
        request.Weight = r.Weight;
        s.SelectFont(request);
        s.SetCurrentX(30.25);
        s.SetCurrentY(12.5);
        const QFont font = s.MakeQFont(s.Font());
        QImage at96(1, 1, QImage::Format_RGB32);
        at96.setDotsPerMeterX(3780);
        at96.setDotsPerMeterY(3780);
        const QFontMetricsF fm(font, &at96);
        const QStringList pieces = QString::fromStdString(r.Text).split('\t');
        const double stop = 14 * fm.averageCharWidth();
        // The width with the stops counted from the text's start; the ink where it stands, with
        // the stops counted from the surface's left edge.
        double end = 0, x = 30.25;
        QRectF ink;
        for (qsizetype i = 0; i < pieces.size(); ++i) {
            if (!pieces[i].isEmpty()) ink |= fm.tightBoundingRect(pieces[i]).translated(x, fm.ascent());
            end += fm.horizontalAdvance(pieces[i]);
            x += fm.horizontalAdvance(pieces[i]);
            if (i + 1 == pieces.size()) break;
            end = (std::floor(end / stop) + 1) * stop;
            x = (std::floor(x / stop) + 1) * stop;
        }
        EXPECT_DOUBLE_EQ(s.TextWidth(r.Text), end);
        EXPECT_EQ(s.TextInkPx(r.Text), ink.translated(0, 12.5));
        EXPECT_DOUBLE_EQ(s.TextHeight(r.Text), fm.height());
        EXPECT_DOUBLE_EQ(s.FontCellHeightPx(), fm.height());
        s.RestoreFont();
    }
}

}  // namespace
}  // namespace plots
