// Leaving out the lines of a curve whose pixels its other lines paint: the picture must be the
// same as with every line stroked, for every kind of curve and width it is used for.
#include "plots/render/LineReduction.h"

#include <QPainter>
#include <QPen>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>
#include <string>

using namespace plots;

namespace {

QImage Stroked(const std::vector<QLineF>& lines, int width, bool leaveOut, std::size_t* stroked = nullptr)
{
    QImage image(320, 200, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    QPen pen(Qt::red);
    pen.setWidth(width);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    if (!leaveOut) {
        for (const QLineF& l : lines) p.drawLine(l);
    } else {
        const std::size_t n = StrokeCoveredLinesOnce(lines, width, image, QColor(Qt::red).rgb(),
                                                     [&](const QLineF* from, int count) { p.drawLines(from, count); });
        if (stroked) *stroked = n;
    }
    p.end();
    return image;
}

}  // namespace

TEST(LineReduction, LeavesOutOnlyLinesWhosePixelsTheOthersPaint)
{
    const struct {
        const char* What;
        double Step;  // the random walk's spread per point
        bool Jumps;   // every point anywhere in the height, as noise
        double Stride;
    } cases[] = {
        {"noise over the whole height", 0, true, 0.03},
        {"a noisy walk", 6, false, 0.03},
        {"a smooth walk of tiny steps", 0.2, false, 0.03},
        {"a walk leaving the picture", 40, false, 0.05},
        {"few points far apart", 30, false, 7},
    };
    for (const auto& c : cases) {
        for (int width : {2, 3}) {
            SCOPED_TRACE(std::string(c.What) + ", width " + std::to_string(width));
            std::mt19937 random(width);
            std::normal_distribution<double> step(0, c.Step > 0 ? c.Step : 1);
            std::uniform_real_distribution<double> anywhere(-20, 220);
            std::vector<QLineF> lines;
            QPointF last(float(5), 100);
            double y = 100;
            for (double x = 5; x < 315; x += c.Stride) {
                y = c.Jumps ? anywhere(random) : y + step(random);
                const QPointF next{double(float(x)), double(float(y))};
                lines.emplace_back(last, next);
                last = next;
            }
            std::size_t stroked = 0;
            EXPECT_EQ(Stroked(lines, width, true, &stroked), Stroked(lines, width, false));
            if (c.Jumps) {
                EXPECT_LT(stroked, lines.size() / 2);
            }
        }
    }
}

// Dotted and dashed axis-aligned lines painted dash by dash here must come out as the engine
// strokes them: at random places and at the places its rounding would decide (a dash edge on a
// pixel centre, a hair beside one), in every dash style and width, reaching off the image too.
TEST(LineReduction, AxisDashesComeOutAsTheEngineStrokesThem)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<double> unit(0, 1);
    const Qt::PenStyle styles[] = {Qt::DashLine, Qt::DotLine, Qt::DashDotLine, Qt::DashDotDotLine};
    const auto anywhere = [&](double span) { return -10 + unit(random) * (span + 20); };
    const struct {
        const char* Where;
        std::function<double(double)> Place;  // a coordinate within the given span
        bool SidesOnCentres = false;            // the line's sides on pixel centres, its ends anywhere
    } places[] = {
        {"anywhere", anywhere},
        {"sides on pixel centres", anywhere, true},
        {"on pixel centres", [&](double span) { return std::floor(-10 + unit(random) * (span + 20)) + 0.5; }},
        {"on pixel edges", [&](double span) { return std::floor(-10 + unit(random) * (span + 20)); }},
        {"in 64ths of a pixel", [&](double span) { return std::floor((-10 + unit(random) * (span + 20)) * 64) / 64; }},
        {"a hair beside a centre",
         [&](double span) {
             const double hair = (unit(random) < 0.5 ? 1e-9 : 1e-5) * (unit(random) < 0.5 ? 1 : -1);
             return std::floor(-10 + unit(random) * (span + 20)) + 0.5 + hair;
         }},
    };
    const int w = 160, h = 90;
    for (const auto& place : places) {
        SCOPED_TRACE(place.Where);
        int differ = 0, painted = 0;
        for (int i = 0; i < 1500; ++i) {
            const int width = 2 + i % (MostDashWidth - 1);
            const Qt::PenStyle style = styles[(i / 7) % 4];
            double x = place.Place(w), y = place.Place(h);
            // An odd width has its sides on centres where the line runs through one.
            const double onCentre = width % 2 ? 0.5 : 0;
            if (place.SidesOnCentres) (i % 2 ? x : y) = std::floor(i % 2 ? x : y) + 0.5 - onCentre;
            const QLineF line = i % 2 ? QLineF(x, y, x, place.Place(h)) : QLineF(x, y, place.Place(w), y);
            QPen pen(QColor(0, 0, 255));
            pen.setWidth(width);
            pen.setStyle(style);
            pen.setCapStyle(Qt::FlatCap);
            QImage expected(w, h, QImage::Format_RGB32), drawn(w, h, QImage::Format_RGB32);
            expected.fill(Qt::white);
            drawn.fill(Qt::white);
            {
                QPainter p(&expected);
                p.setPen(pen);
                p.drawLine(line);
            }
            QPainter p(&drawn);
            QPen solid = pen;
            solid.setStyle(Qt::SolidLine);
            p.setPen(solid);
            if (PaintAxisDashes(drawn, line, width, pen.dashPattern(), pen.color().rgb(),
                                [&](const QLineF& last) { p.drawLine(last); })) {
                ++painted;
            } else {
                p.setPen(pen);
                p.drawLine(line);
            }
            p.end();
            differ += drawn != expected;
        }
        EXPECT_EQ(differ, 0);
        if (std::string(place.Where) == "anywhere") {
            EXPECT_GT(painted, 1400) << "left to the engine";
        }
    }
}
