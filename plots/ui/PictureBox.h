// The plot window's picture control: shows the plot surface's persistent image and keeps the
// surface the size of the control, so every plot is drawn at the size it is seen.
#pragma once

#include "plots/render/Surface.h"

#include <QWidget>

namespace plots {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    PictureBox(ImageSurface& surface, QWidget* parent = nullptr);
    // Gives the surface the control's size; also while the control is hidden on its page,
    // where Qt holds the resize back until the page is shown.
    void FitSurface();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    ImageSurface& surface_;
};

}  // namespace plots
