#include "plots/render/PoleZeroMap.h"

#include "ReportFixture.h"

#include <gtest/gtest.h>

#include <functional>

using namespace plots;
using reports_test::Fixture;

namespace {

struct Placed {
    std::string Text;
    double Omega, Sigma;  // in displayed units
    bool operator==(const Placed& o) const
    {
        return Text == o.Text && std::abs(Omega - o.Omega) < 1e-9 && std::abs(Sigma - o.Sigma) < 1e-9;
    }
};

std::ostream& operator<<(std::ostream& out, const Placed& p)
{
    return out << p.Text << "(" << p.Omega << ", " << p.Sigma << ")";
}

std::vector<Placed> MarkersDrawn(const RecordingSurface& s)
{
    std::vector<Placed> markers;
    for (const DrawCall& c : s.Texts())
        if (c.Text_ == "X" || c.Text_ == "O" || c.Text_ == "dO") markers.push_back({c.Text_, c.X1, c.Y1});
    return markers;
}

void Pole(PlotData& d, double re, double im)
{
    ++d.PoleCount;
    d.PoleRe.push_back(re);
    d.PoleIm.push_back(im);
}

struct MapCase {
    const char* Name;
    std::function<void(PlotData&)> Fill;
    double Xmin, Xmax, Ymin, Ymax;  // after drawing: Ymin is the upper (positive) end
    std::vector<Placed> Markers;
};

const std::vector<MapCase>& Cases()
{
    static const std::vector<MapCase> cases = {
        {"poles on the sigma axis only", [](PlotData& d) { Pole(d, -1, 0); Pole(d, -2, 0); }, 0, 12.1, 2.02, -2,
         {{"X", 0, -1}, {"X", 0, -2}}},
        {"one pole pair", [](PlotData& d) { Pole(d, -2, 3); }, 0, 3.08, 2.02, -2, {{"X", 3, -2}}},
        {"zero pair mirrored across the sigma axis",
         [](PlotData& d) {
             Pole(d, -1, 3);
             d.ZeroPairCount = d.ComplexZeroCount = 1;
             d.ZeroRe = {0.5};
             d.ZeroIm = {4};
         },
         -4, 4.03, 1.04, -1, {{"X", 3, -1}, {"O", -4, 0.5}, {"O", 4, 0.5}}},
        {"zero quad in all four quadrants",
         [](PlotData& d) {
             Pole(d, -1, 3);
             d.ZeroQuadCount = d.ComplexZeroCount = 1;
             d.ZeroRe = {1};
             d.ZeroIm = {2};
         },
         -2, 3.06, 1.04, -1, {{"X", 3, -1}, {"O", -2, -1}, {"O", 2, -1}, {"O", -2, 1}, {"O", 2, 1}}},
        {"paired sigma doublet, sigma pole and omega zeros",
         [](PlotData& d) {
             d.SigmaPoleCount = 1;
             d.SigmaPole = -0.5;
             Pole(d, -1, 3);
             d.SigmaZeroCount = 1;
             d.SigmaZero = -2.5;
             d.SigmaZeroOrder = 1;
             d.SigmaZeroPaired = 1;
             d.OmegaZeroCount = 2;
             d.OmegaZeros = {1, 2};
         },
         0, 3.08, 2.54, -2.5,
         {{"X", 0, -0.5}, {"X", 3, -1}, {"dO", 0, -2.5}, {"dO", 0, 2.5}, {"O", 1, 0}, {"O", 2, 0}}},
        {"single sigma zero", [](PlotData& d) {
             Pole(d, -2, 3);
             d.SigmaZeroCount = 1;
             d.SigmaZero = -1;
         },
         0, 3.08, 2.02, -2, {{"X", 3, -2}, {"O", 0, -1}}},
        {"large imaginary range is shown in hundreds", [](PlotData& d) { Pole(d, -1, 10000); }, 0, 100.1, 1.04, -1,
         {{"X", 100, -1}}},
        // Data the ranges above would turn upside down: the map still shows what there is.
        {"no pole and no zero", [](PlotData&) {}, 0, 12.1, 6.6, 0, {}},
        {"only a positive real part", [](PlotData& d) { Pole(d, 2, 3); }, 0, 3.08, 2.02, -2, {{"X", 3, 2}}},
        {"only a negative imaginary part", [](PlotData& d) { Pole(d, -1, -3); }, -3, 0.08, 1.04, -1, {{"X", -3, -1}}},
        {"only omega-axis zeros", [](PlotData& d) {
             d.OmegaZeroCount = 1;
             d.OmegaZeros = {3};
         },
         0, 3.08, 6.6, 0, {{"O", 3, 0}}},
    };
    return cases;
}

}  // namespace

TEST(PoleZeroMap, RangesAndMarkersForEveryKindOfPoleAndZero)
{
    for (const MapCase& c : Cases()) {
        Fixture f;
        f.Data.PlotType = PlotType::PoleZeroFrequency;
        f.Data.GainText = "1";
        c.Fill(f.Data);
        DrawPoleZeroMap(f.Ctx(PlotKind::PoleZeroMap));

        const AxisState& a = f.Axis;
        EXPECT_NEAR(a.Xmin, c.Xmin, 1e-9) << c.Name;
        EXPECT_NEAR(a.Xmax, c.Xmax, 1e-9) << c.Name;
        EXPECT_NEAR(a.Ymin, c.Ymin, 1e-9) << c.Name;
        EXPECT_NEAR(a.Ymax, c.Ymax, 1e-9) << c.Name;
        EXPECT_EQ(MarkersDrawn(f.Canvas), c.Markers) << c.Name;

        const RecordingSurface& s = f.Canvas;
        // Sigma grows downward: the upper end of the sigma range is at the bottom.
        EXPECT_GT(s.ToPixelY(a.Ymin), s.ToPixelY(a.Ymax)) << c.Name;
        for (const DrawCall& t : s.Texts()) {
            if (t.Text_ != "X" && t.Text_ != "O" && t.Text_ != "dO") continue;
            EXPECT_EQ(t.Colour_, f.Settings.Colours[SlotMiscInfo]) << c.Name;
            EXPECT_GE(t.P1.x(), 0) << c.Name;
            EXPECT_LT(t.P1.x(), 630) << c.Name;
            EXPECT_GE(t.P1.y(), 0) << c.Name;
            EXPECT_LT(t.P1.y(), 404) << c.Name;
            // Stable poles stand above the omega axis.
            if (t.Text_ == "X" && t.Y1 < 0) {
                EXPECT_LT(t.P1.y(), s.ToPixelY(0)) << c.Name;
            }
        }
    }
}

TEST(PoleZeroMap, TitlesFollowTheTool)
{
    const struct {
        std::int16_t PlotType;
        const char* Title;
        const char* AxisTitle;
    } cases[] = {{-2, "Poles (X), Zeroes (O) and Doublets (D)", "Frequency"}, {-1, "Error Amplitude", "Time"}};
    for (const auto& c : cases) {
        Fixture f;
        f.Data.PlotType = PlotTypeOfCode(c.PlotType);
        Pole(f.Data, -1, 10000);
        DrawPoleZeroMap(f.Ctx(PlotKind::PoleZeroMap));
        EXPECT_NE(f.Canvas.FindText(c.Title), nullptr) << c.Title;
        EXPECT_NE(f.Canvas.FindText(c.AxisTitle), nullptr) << c.AxisTitle;
        EXPECT_NE(f.Canvas.FindText("X-axis = 10E 2"), nullptr);
        EXPECT_EQ(f.Canvas.FindText("Y-axis = 10E 2"), nullptr);
    }
}
