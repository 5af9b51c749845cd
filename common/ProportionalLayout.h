// Proportional layout, independent of any widget toolkit: a form is a list of controls, each
// with a type name and numeric properties in twips (font sizes in points). RecordLayout keeps
// each control's place, size and font size as single-precision fractions of the form's inner
// size; ApplyLayout sets them back from those fractions for the form's current inner size.
//
// The type name decides which properties a control has in the layout:
//   Line                          X1, X2 (from width), Y1, Y2 (from height)
//   CommonDialog, Timer, Menu,
//   ImageList                     nothing
//   HScrollBar                    Top, Left, Width
//   VScrollBar                    Top, Left, Height
//   PictureBox                    Top, Left, Width, Height
//   SSTab                         TabHeight, TabMaxWidth, Width, Height, FontSize
//   CheckBox, TextBox, Label, ... Top, Left, Width, Height, FontSize (applied Height first)
//   anything else                 Top, Left
// A tab container keeps the controls of its hidden pages 75000 twips to the left of their
// true place; a Left below -30000 marks such a control, and it keeps that offset.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <vector>

namespace tk::layout {

enum class Prop { Top, Left, Width, Height, FontSize, X1, X2, Y1, Y2, TabHeight, TabMaxWidth };

inline constexpr double HiddenPageOffset = 75000.0;   // twips a hidden tab page moves a control left
inline constexpr double HiddenPageLimit = -30000.0;   // a Left below this marks a hidden control
inline constexpr double MinApplyWidth = 2000.0;       // smaller inner sizes leave the controls alone
inline constexpr double MinApplyHeight = 1500.0;

// Raised by a control that has no such property or refuses a value.
struct PropertyError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class Control {
public:
    virtual ~Control() = default;
    virtual std::string TypeName() const = 0;
    virtual double Get(Prop prop) const = 0;   // throws PropertyError when the control lacks it
    virtual void Set(Prop prop, double value) = 0;  // may throw PropertyError
};

class Form {
public:
    virtual ~Form() = default;
    // The client area in twips, read at the moment of each operation.
    virtual double InnerWidth() const = 0;
    virtual double InnerHeight() const = 0;
    // The controls in the form's enumeration order; the index pairs a control with its fractions.
    virtual std::size_t ControlCount() const = 0;
    virtual Control& ControlAt(std::size_t index) = 0;
};

// How a type name is treated.
enum class Treatment { LinePoints, Nothing, HScroll, VScroll, Picture, TabStrip, Sized, Placed };
Treatment TreatmentOf(const std::string& typeName);

// The five fraction arrays, one element per control (also for the controls left alone). Which
// property a slot holds depends on the control's treatment: for a Line the top, left, width and
// height slots hold X1, X2, Y1, Y2; for an SSTab TabHeight, TabMaxWidth, Width, Height; for a
// VScrollBar the width slot holds Height.
struct LayoutFractions {
    std::vector<float> Top;
    std::vector<float> Left;
    std::vector<float> Width;
    std::vector<float> Height;
    std::vector<float> Font;
    std::size_t Count() const { return Top.size(); }
};

// Records every control. A control of a listed type that lacks a listed property stops the
// recording with its PropertyError, as a window whose design is broken should.
LayoutFractions RecordLayout(Form& form);

// Applies the fractions when the inner size is at least 2000 x 1500 twips. A property that a
// control refuses keeps its old value and the rest goes on. Controls beyond the recorded count
// (added after recording) are left as they are.
void ApplyLayout(Form& form, const LayoutFractions& fractions);

}  // namespace tk::layout
