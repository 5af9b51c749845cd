// Proportional resizing of a window's controls: the window records each control's place,
// size and font size as fractions of its inner size when it loads, and sets them back from
// those fractions whenever it is resized.
#pragma once

class QWidget;

namespace tk {

class FormResizer {
public:
    // The form whose client area counts; its child controls are the controls.
    explicit FormResizer(QWidget* form);
    ~FormResizer();
    void RecordLayout();
    void ApplyLayout();

private:
    struct Impl;
    Impl* impl_;
};

}  // namespace tk
