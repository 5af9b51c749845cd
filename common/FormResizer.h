// Proportional resizing of a window's controls: the window records each control's place,
// size and font size as fractions of its inner size when it loads, and sets them back from
// those fractions whenever it is resized.
//
// The window's controls are its widgets as a form designer would list them: depth first in
// creation order, the pages of a tab widget included (the pages themselves are the tab
// widget's business, their children are controls), but not the inner parts of composite
// widgets, not the menu or status bar, and not the children of a widget that has a Qt layout.
// Positions are relative to the parent widget, in twips (15 per pixel).
//
// Hidden tab pages: a Qt tab widget hides a whole page and leaves its children's geometry at
// their true place, so the adapter never reports the 75000-twip hidden-page offset; a control
// on a hidden page is scaled like any other and shows at its scaled place when its page is
// selected, which is what the offset rule achieves for toolkits that move such controls aside.
//
// A widget may name its control type itself with the dynamic property "tkControlType"
// (for example "PictureBox" for a drawing surface, "Menu" to be left alone).
#pragma once

#include "common/ProportionalLayout.h"

#include <string>
#include <vector>

class QSize;
class QWidget;

namespace tk {

inline constexpr int TwipsPerPixel = 15;
inline constexpr char ControlTypeProperty[] = "tkControlType";

// Makes the control's font smaller until its one-line caption is whole in it (a caption set
// after the layout was applied, such as a notice).
void FitCaptions(QWidget* control);

// Lets check-box and option-button markers grow with the text of a large window (never below
// the style's own size). Called once the application exists.
void ScaleIndicatorsWithText();

// The room a window's screen leaves for it inside a window manager's frame (whose title bar is
// taken to be about as high as the style's own).
QSize ScreenRoom(const QWidget* window);

class FormResizer {
public:
    // The form whose client area counts (for a main window: its central widget); its child
    // controls are the controls.
    explicit FormResizer(QWidget* form);
    ~FormResizer();
    FormResizer(const FormResizer&) = delete;
    FormResizer& operator=(const FormResizer&) = delete;

    void RecordLayout();
    // Applies the recorded fractions; then a caption that no longer fits its control (fonts
    // follow the window's height only) gets a smaller font, and controls placed under a tab
    // strip are kept clear of its tabs.
    void ApplyLayout();

    // The controls in enumeration order, and the fractions last recorded.
    std::vector<QWidget*> Controls() const;
    const layout::LayoutFractions& Fractions() const;
    // The client area's size in twips.
    double InnerWidth() const;
    double InnerHeight() const;

    // The control type a widget stands for ("CommandButton", "Label", "SSTab", ...).
    static std::string ControlTypeName(const QWidget* widget);

private:
    struct Impl;
    Impl* impl_;
};

}  // namespace tk
