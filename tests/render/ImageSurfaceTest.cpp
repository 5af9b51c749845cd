#include "plots/render/Surface.h"

#include <QFontMetricsF>
#include <QPainter>

#include <gtest/gtest.h>

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

// Short texts (the map's marker letters above all) are drawn from glyphs shaped once: they must
// come out as the painter draws the text itself, glyph for glyph, at the same fraction of a pixel,
// in each text's own colour, also where a text reaches off the picture.
TEST(ImageSurface, ShortTextsComeOutAsThePainterDrawsThem)
{
    struct Text {
        std::string What;
        double X, Y;
        Colour Ink;
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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        ImageSurface s(120, 70);
        s.SetBackColour(White);
        s.Clear();
        s.SetFontSize(c.Points);
        QImage expected = s.Picture().copy();
        QPainter p(&expected);
        p.setRenderHint(QPainter::TextAntialiasing);
        const QFont font = s.MakeQFont(s.Font());
        p.setFont(font);
        const double ascent = QFontMetricsF(font, &expected).ascent();
        for (const Text& t : c.Texts) {
            s.SetForeColour(t.Ink);
            s.SetCurrentX(t.X);
            s.SetCurrentY(t.Y);
            s.Print(t.What);
            p.setPen(ToQColor(t.Ink));
            p.drawText(QPointF(t.X, t.Y + ascent), QString::fromStdString(t.What));
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

}  // namespace
}  // namespace plots
