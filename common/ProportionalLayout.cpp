#include "common/ProportionalLayout.h"

#include <algorithm>

namespace tk::layout {

namespace {

bool IsOneOf(const std::string& name, std::initializer_list<const char*> names)
{
    for (const char* n : names) {
        if (name == n)
            return true;
    }
    return false;
}

bool IsHorizontal(Prop p)
{
    return p == Prop::Left || p == Prop::Width || p == Prop::TabMaxWidth || p == Prop::X1 || p == Prop::X2;
}

enum class Slot { Top, Left, Width, Height, Font };

struct Entry {
    Prop Property;
    Slot Where;
};

// The properties a treatment records, each with its slot, in the order they are applied.
std::vector<Entry> EntriesOf(Treatment t)
{
    switch (t) {
    case Treatment::LinePoints:
        return {{Prop::X1, Slot::Top}, {Prop::X2, Slot::Left}, {Prop::Y1, Slot::Width}, {Prop::Y2, Slot::Height}};
    case Treatment::Nothing:
        return {};
    case Treatment::HScroll:
        return {{Prop::Top, Slot::Top}, {Prop::Left, Slot::Left}, {Prop::Width, Slot::Width}};
    case Treatment::VScroll:
        return {{Prop::Top, Slot::Top}, {Prop::Left, Slot::Left}, {Prop::Height, Slot::Width}};
    case Treatment::Picture:
        return {{Prop::Top, Slot::Top}, {Prop::Left, Slot::Left}, {Prop::Width, Slot::Width},
                {Prop::Height, Slot::Height}};
    case Treatment::TabStrip:
        return {{Prop::TabHeight, Slot::Top}, {Prop::TabMaxWidth, Slot::Left}, {Prop::Width, Slot::Width},
                {Prop::Height, Slot::Height}, {Prop::FontSize, Slot::Font}};
    case Treatment::Sized:
        // Height goes first so that a control whose height follows its font is not squeezed
        // before its font has changed.
        return {{Prop::Height, Slot::Height}, {Prop::Top, Slot::Top}, {Prop::Left, Slot::Left},
                {Prop::Width, Slot::Width}, {Prop::FontSize, Slot::Font}};
    case Treatment::Placed:
        return {{Prop::Top, Slot::Top}, {Prop::Left, Slot::Left}};
    }
    return {};
}

std::vector<float>& SlotArray(LayoutFractions& f, Slot s)
{
    switch (s) {
    case Slot::Top: return f.Top;
    case Slot::Left: return f.Left;
    case Slot::Width: return f.Width;
    case Slot::Height: return f.Height;
    case Slot::Font: return f.Font;
    }
    return f.Top;
}

const std::vector<float>& SlotArray(const LayoutFractions& f, Slot s)
{
    return SlotArray(const_cast<LayoutFractions&>(f), s);
}

}  // namespace

Treatment TreatmentOf(const std::string& typeName)
{
    if (typeName == "Line")
        return Treatment::LinePoints;
    if (IsOneOf(typeName, {"CommonDialog", "Timer", "Menu", "ImageList"}))
        return Treatment::Nothing;
    if (typeName == "HScrollBar")
        return Treatment::HScroll;
    if (typeName == "VScrollBar")
        return Treatment::VScroll;
    if (typeName == "PictureBox")
        return Treatment::Picture;
    if (typeName == "SSTab")
        return Treatment::TabStrip;
    if (IsOneOf(typeName, {"CheckBox", "TextBox", "Label", "ListBox", "DriveListBox", "DirListBox", "FileListBox",
                           "Frame", "ComboBox", "CommandButton", "OptionButton", "MSHFlexGrid"}))
        return Treatment::Sized;
    return Treatment::Placed;
}

LayoutFractions RecordLayout(Form& form)
{
    const double width = form.InnerWidth();
    const double height = form.InnerHeight();
    const std::size_t count = form.ControlCount();
    LayoutFractions f;
    for (Slot s : {Slot::Top, Slot::Left, Slot::Width, Slot::Height, Slot::Font})
        SlotArray(f, s).assign(count, 0.0f);
    if (width <= 0 || height <= 0)
        return f;

    for (std::size_t i = 0; i < count; ++i) {
        Control& c = form.ControlAt(i);
        for (const Entry& e : EntriesOf(TreatmentOf(c.TypeName()))) {
            double value = c.Get(e.Property);
            if (e.Property == Prop::Left && value < HiddenPageLimit)
                value += HiddenPageOffset;
            SlotArray(f, e.Where)[i] = static_cast<float>(value / (IsHorizontal(e.Property) ? width : height));
        }
    }
    return f;
}

void ApplyLayout(Form& form, const LayoutFractions& fractions)
{
    const float width = static_cast<float>(form.InnerWidth());
    const float height = static_cast<float>(form.InnerHeight());
    if (width < MinApplyWidth || height < MinApplyHeight)
        return;

    const std::size_t count = std::min(form.ControlCount(), fractions.Count());
    for (std::size_t i = 0; i < count; ++i) {
        Control& c = form.ControlAt(i);
        for (const Entry& e : EntriesOf(TreatmentOf(c.TypeName()))) {
            try {
                float value = SlotArray(fractions, e.Where)[i] * (IsHorizontal(e.Property) ? width : height);
                if (e.Property == Prop::Left && c.Get(Prop::Left) < HiddenPageLimit)
                    value -= static_cast<float>(HiddenPageOffset);
                c.Set(e.Property, value);
            } catch (const PropertyError&) {
                // The control keeps its old value for this property.
            }
        }
    }
}

}  // namespace tk::layout
