// The toolkit-neutral proportional layout: fractions recorded per control type, applied from the
// recorded fractions, thresholds, the hidden-page offset and refused properties.
#include "common/ProportionalLayout.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>

using namespace tk::layout;

namespace {

class FakeControl : public Control {
public:
    FakeControl(std::string type, std::map<Prop, double> props) : type_(std::move(type)), props_(std::move(props)) {}
    std::string TypeName() const override { return type_; }
    double Get(Prop p) const override
    {
        auto it = props_.find(p);
        if (it == props_.end())
            throw PropertyError("missing");
        return it->second;
    }
    void Set(Prop p, double v) override
    {
        if (refused_.count(p) || !props_.count(p))
            throw PropertyError("refused");
        props_[p] = v;
        order.push_back(p);
    }
    void Refuse(Prop p) { refused_.insert(p); }
    double operator[](Prop p) const { return props_.at(p); }
    std::vector<Prop> order;

private:
    std::string type_;
    std::map<Prop, double> props_;
    std::set<Prop> refused_;
};

class FakeForm : public Form {
public:
    double W = 10000, H = 8000;
    std::vector<std::unique_ptr<FakeControl>> controls;
    FakeControl& Add(std::string type, std::map<Prop, double> props)
    {
        controls.push_back(std::make_unique<FakeControl>(std::move(type), std::move(props)));
        return *controls.back();
    }
    double InnerWidth() const override { return W; }
    double InnerHeight() const override { return H; }
    std::size_t ControlCount() const override { return controls.size(); }
    Control& ControlAt(std::size_t i) override { return *controls.at(i); }
};

std::map<Prop, double> Box(double top, double left, double width, double height, double font)
{
    return {{Prop::Top, top}, {Prop::Left, left}, {Prop::Width, width}, {Prop::Height, height}, {Prop::FontSize, font}};
}

}  // namespace

TEST(ProportionalLayout, TypeNamesChooseTheirTreatment)
{
    const std::vector<std::pair<std::string, Treatment>> cases = {
        {"Line", Treatment::LinePoints},      {"CommonDialog", Treatment::Nothing},
        {"Timer", Treatment::Nothing},        {"Menu", Treatment::Nothing},
        {"ImageList", Treatment::Nothing},    {"HScrollBar", Treatment::HScroll},
        {"VScrollBar", Treatment::VScroll},   {"PictureBox", Treatment::Picture},
        {"SSTab", Treatment::TabStrip},       {"CommandButton", Treatment::Sized},
        {"MSHFlexGrid", Treatment::Sized},    {"DriveListBox", Treatment::Sized},
        {"Frame", Treatment::Sized},          {"RichTextBox", Treatment::Placed},
        {"Image", Treatment::Placed},         {"label", Treatment::Placed},  // names are exact
    };
    for (const auto& [name, treatment] : cases)
        EXPECT_EQ(TreatmentOf(name), treatment) << name;
}

TEST(ProportionalLayout, DoublingTheFormDoublesEveryListedProperty)
{
    FakeForm form;
    auto& button = form.Add("CommandButton", Box(800, 1000, 2000, 400, 8));
    auto& line = form.Add("Line", {{Prop::X1, 100}, {Prop::X2, 9000}, {Prop::Y1, 4000}, {Prop::Y2, 4000}});
    auto& tabs = form.Add("SSTab", {{Prop::Top, 300}, {Prop::Left, 200}, {Prop::TabHeight, 400},
                                    {Prop::TabMaxWidth, 1500}, {Prop::Width, 9000}, {Prop::Height, 6000},
                                    {Prop::FontSize, 10}});
    auto& vbar = form.Add("VScrollBar", {{Prop::Top, 100}, {Prop::Left, 9500}, {Prop::Width, 255}, {Prop::Height, 3000}});
    auto& hbar = form.Add("HScrollBar", {{Prop::Top, 7500}, {Prop::Left, 100}, {Prop::Width, 3000}, {Prop::Height, 255}});
    auto& image = form.Add("Image", Box(2000, 3000, 500, 500, 9));
    auto& timer = form.Add("Timer", {{Prop::Left, 50}});
    const LayoutFractions f = RecordLayout(form);
    ASSERT_EQ(f.Count(), 7u);

    form.W = 20000;
    form.H = 16000;
    ApplyLayout(form, f);

    struct Expect { FakeControl* c; Prop p; double value; };
    const std::vector<Expect> expected = {
        {&button, Prop::Top, 1600}, {&button, Prop::Left, 2000}, {&button, Prop::Width, 4000},
        {&button, Prop::Height, 800}, {&button, Prop::FontSize, 16},
        {&line, Prop::X1, 200}, {&line, Prop::X2, 18000}, {&line, Prop::Y1, 8000}, {&line, Prop::Y2, 8000},
        {&tabs, Prop::Top, 300}, {&tabs, Prop::Left, 200},  // a tab strip keeps its place
        {&tabs, Prop::TabHeight, 800}, {&tabs, Prop::TabMaxWidth, 3000}, {&tabs, Prop::Width, 18000},
        {&tabs, Prop::Height, 12000}, {&tabs, Prop::FontSize, 20},
        {&vbar, Prop::Top, 200}, {&vbar, Prop::Left, 19000}, {&vbar, Prop::Height, 6000},
        {&vbar, Prop::Width, 255},  // a vertical bar keeps its width
        {&hbar, Prop::Width, 6000}, {&hbar, Prop::Height, 255},
        {&image, Prop::Top, 4000}, {&image, Prop::Left, 6000}, {&image, Prop::Width, 500},
        {&image, Prop::FontSize, 9},
        {&timer, Prop::Left, 50},
    };
    for (const auto& e : expected)
        EXPECT_NEAR((*e.c)[e.p], e.value, 0.01) << e.c->TypeName() << " property " << int(e.p);
}

TEST(ProportionalLayout, SizedControlsGetTheirHeightFirst)
{
    FakeForm form;
    auto& label = form.Add("Label", Box(100, 100, 1000, 300, 8));
    const LayoutFractions f = RecordLayout(form);
    form.W = 12000;
    ApplyLayout(form, f);
    const std::vector<Prop> order = {Prop::Height, Prop::Top, Prop::Left, Prop::Width, Prop::FontSize};
    EXPECT_EQ(label.order, order);
}

TEST(ProportionalLayout, SmallFormsLeaveControlsAloneAndReEnlargingUsesTheRecord)
{
    FakeForm form;
    auto& box = form.Add("TextBox", Box(1000, 2000, 3000, 1000, 10));
    const LayoutFractions f = RecordLayout(form);

    struct Step { double w, h; double left, width, font; };
    const std::vector<Step> steps = {
        {5000, 4000, 1000, 1500, 5},     // half size
        {1999, 8000, 1000, 1500, 5},     // too narrow: unchanged
        {10000, 1499, 1000, 1500, 5},    // too low: unchanged
        {2000, 1500, 400, 600, 1.875},   // exactly the threshold applies
        {10000, 8000, 2000, 3000, 10},   // back to the design size: from the record, not the last sizes
        {20000, 8000, 4000, 6000, 10},   // wider only: the font stays
    };
    for (const auto& s : steps) {
        form.W = s.w;
        form.H = s.h;
        ApplyLayout(form, f);
        EXPECT_NEAR(box[Prop::Left], s.left, 0.01) << s.w << "x" << s.h;
        EXPECT_NEAR(box[Prop::Width], s.width, 0.01) << s.w << "x" << s.h;
        EXPECT_NEAR(box[Prop::FontSize], s.font, 0.001) << s.w << "x" << s.h;
    }
}

TEST(ProportionalLayout, HiddenPageControlsKeepTheirOffsetThroughResizes)
{
    FakeForm form;
    auto& hidden = form.Add("TextBox", Box(1000, 300 - 75000, 8640, 5000, 9));
    auto& shown = form.Add("PictureBox", Box(1000, 300, 8640, 5000, 9));
    const LayoutFractions f = RecordLayout(form);
    EXPECT_NEAR(f.Left[0], 0.03f, 1e-6);

    for (double w : {20000.0, 5000.0, 10000.0, 15000.0}) {
        form.W = w;
        ApplyLayout(form, f);
        EXPECT_NEAR(hidden[Prop::Left], 0.03 * w - 75000, 0.01) << w;
        EXPECT_NEAR(shown[Prop::Left], 0.03 * w, 0.01) << w;
    }
    // Shown on its page again (the tab container moves it back), it sits at the scaled place.
    hidden.Set(Prop::Left, hidden[Prop::Left] + 75000);
    form.W = 20000;
    ApplyLayout(form, f);
    EXPECT_NEAR(hidden[Prop::Left], 600, 0.01);
}

TEST(ProportionalLayout, ALeftOfExactlyMinus30000IsNotAHiddenControl)
{
    FakeForm form;
    auto& c = form.Add("Label", Box(0, -30000, 100, 100, 8));
    const LayoutFractions f = RecordLayout(form);
    EXPECT_NEAR(f.Left[0], -3.0f, 1e-6);
    ApplyLayout(form, f);
    EXPECT_NEAR(c[Prop::Left], -30000, 0.01);
}

TEST(ProportionalLayout, FractionsAreSinglePrecision)
{
    FakeForm form;
    form.W = 3;
    form.H = 3;
    form.Add("PictureBox", Box(1, 1, 1, 1, 0));
    const LayoutFractions f = RecordLayout(form);
    EXPECT_EQ(f.Top[0], 1.0f / 3.0f);
    EXPECT_NE(static_cast<double>(f.Top[0]), 1.0 / 3.0);
}

TEST(ProportionalLayout, ARefusedPropertyKeepsItsValueAndTheRestGoesOn)
{
    FakeForm form;
    auto& first = form.Add("CommandButton", Box(100, 100, 1000, 400, 8));
    auto& second = form.Add("CheckBox", Box(600, 100, 1000, 400, 8));
    first.Refuse(Prop::FontSize);
    first.Refuse(Prop::Height);
    const LayoutFractions f = RecordLayout(form);
    form.W = 20000;
    form.H = 16000;
    ApplyLayout(form, f);
    EXPECT_EQ(first[Prop::FontSize], 8);
    EXPECT_EQ(first[Prop::Height], 400);
    EXPECT_NEAR(first[Prop::Width], 2000, 0.01);
    EXPECT_NEAR(second[Prop::Top], 1200, 0.01);
    EXPECT_NEAR(second[Prop::FontSize], 16, 0.01);
}

TEST(ProportionalLayout, RecordingAListedControlWithoutItsPropertyFails)
{
    FakeForm form;
    form.Add("Label", {{Prop::Top, 1}, {Prop::Left, 1}});
    EXPECT_THROW(RecordLayout(form), PropertyError);
}

TEST(ProportionalLayout, ControlsArePairedWithFractionsByIndex)
{
    FakeForm form;
    auto& a = form.Add("PictureBox", Box(1000, 1000, 1000, 1000, 8));
    const LayoutFractions f = RecordLayout(form);
    auto& late = form.Add("PictureBox", Box(500, 500, 500, 500, 8));
    form.W = 20000;
    form.H = 16000;
    ApplyLayout(form, f);
    EXPECT_NEAR(a[Prop::Top], 2000, 0.01);
    EXPECT_EQ(late[Prop::Top], 500);  // added after recording: left alone

    // Removing the first control pairs the next one with the first fractions.
    form.controls.erase(form.controls.begin());
    form.W = 10000;
    form.H = 8000;
    ApplyLayout(form, f);
    EXPECT_NEAR(form.controls[0]->Get(Prop::Top), 1000, 0.01);
}
