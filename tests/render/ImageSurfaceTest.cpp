#include "plots/render/Surface.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace plots
