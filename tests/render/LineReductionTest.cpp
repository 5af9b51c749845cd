// Leaving out the lines of a curve whose pixels its other lines paint: the picture must be the
// same as with every line stroked, for every kind of curve and width it is used for.
#include "plots/render/LineReduction.h"

#include <QPainter>
#include <QPen>
#include <gtest/gtest.h>

#include <random>

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
