#include "plots/render/RotatedText.h"
#include "support/RecordingSurface.h"

#include <gtest/gtest.h>

namespace plots {
namespace {

struct Metrics {
    double H, L, W;
};

// The turned title's font as the worker makes it, measured on the same surface.
Metrics TitleMetrics(Surface& s, const std::string& text, int tenths)
{
    FontRequest request;
    request.Face = "Arial";
    request.CellHeightPx = 14;
    request.AngleDegrees = tenths / 10.0;
    s.SelectFont(request);
    Metrics m{s.FontCellHeightPx(), s.FontInternalLeadingPx(), s.TextWidth(text)};
    s.RestoreFont();
    return m;
}

TEST(RotatedText, AngleTextBecomesTenthsOfADegree)
{
    struct Case {
        const char* Text;
        int Tenths;
    } cases[] = {{"90", 900},   {" 45 ", 450},  {"-30", -300}, {"90.5", 900}, {"91.5", 920}, {"0", 0},
                 {"abc", 0},    {"", 0},        {"3276", 32760}, {"3277", 0}, {"40000", 0}, {"1e2", 1000}};
    for (const Case& c : cases) EXPECT_EQ(AngleTenths(c.Text), c.Tenths) << '"' << c.Text << '"';
}

TEST(RotatedText, StartPointAboutTheGivenPoint)
{
    struct Case {
        const char* Angle;
        double Degrees;
        bool Upward;
    } cases[] = {{"90", 90, true}, {"0", 0, false}, {"abc", 0, false}};
    for (const Case& c : cases) {
        RecordingSurface s(1024, 768);
        const Metrics m = TitleMetrics(s, "Amplitude", c.Upward ? 900 : 0);
        EXPECT_TRUE(RotatedText(s, "Amplitude", c.Angle, 972.8f, 230.4f)) << "the font was given back";
        const DrawCall* d = s.FindText("Amplitude");
        ASSERT_NE(d, nullptr) << c.Angle;
        EXPECT_DOUBLE_EQ(d->Angle, c.Degrees) << c.Angle;
        if (c.Upward) {
            EXPECT_NEAR(d->X1, 972.8f - (m.H + m.L) / 2, 1e-3) << c.Angle;
            EXPECT_NEAR(d->Y1, 230.4f - m.W / 2, 1e-3) << c.Angle;
        } else {
            EXPECT_NEAR(d->X1, 972.8f - m.W / 2, 1e-3) << c.Angle;
            EXPECT_NEAR(d->Y1, 230.4f - (m.H + m.L) / 2, 1e-3) << c.Angle;
        }
        EXPECT_EQ(s.Font().AngleDegrees, 0) << "the surface's own font is back";
    }
}

TEST(RotatedText, FontHasTheRequestedCellHeight)
{
    RecordingSurface s(640, 480);
    FontRequest request;
    request.CellHeightPx = 14;
    s.SelectFont(request);
    EXPECT_NEAR(s.FontCellHeightPx(), 14, 1.0);
    EXPECT_GE(s.FontInternalLeadingPx(), 0);
    EXPECT_LT(s.FontInternalLeadingPx(), 7);
    EXPECT_TRUE(s.RestoreFont());
}

TEST(RotatedText, StartPointFormulaInOtherUnits)
{
    // A quarter turn: the text starts (H + L) / 2 left of x and W / 2 before y.
    const QPointF p = RotatedTextStart(10, 20, 8, 2, 0.5, 900);
    EXPECT_NEAR(p.x(), 10 - 1.25, 1e-7);
    EXPECT_NEAR(p.y(), 20 - 4, 1e-7);
    const QPointF q = RotatedTextStart(10, 20, 8, 2, 0.5, 0);
    EXPECT_NEAR(q.x(), 10 - 4, 1e-7);
    EXPECT_NEAR(q.y(), 20 - 1.25, 1e-7);
}

}  // namespace
}  // namespace plots
