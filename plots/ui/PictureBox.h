// The plot window's picture control: shows the plot surface's persistent image and keeps the
// surface the size of the control in device pixels, so every plot is drawn at the size it is
// seen and at the screen's full resolution. After a resize the plot is drawn again at the new
// size as soon as the events waiting are handled; the resizes that come while a picture is drawn
// (a dragged window edge) are gathered into one redraw, and until it comes the last picture is
// shown scaled, so nothing flickers.
#pragma once

#include "plots/render/Surface.h"

#include <QTimer>
#include <QWidget>

#include <functional>

namespace plots {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    // `redraw` draws what the surface shows again, at the surface's size.
    PictureBox(ImageSurface& surface, std::function<void()> redraw, QWidget* parent = nullptr);
    // The surface's size for the control's size: its size in device pixels.
    QSize SurfaceSize() const;
    // Gives the surface the control's size now and redraws it; also while the control is hidden
    // on its page, where Qt holds the resize back until the page is shown.
    void FitSurface();
    // Fits the surface once the resizing has come to rest.
    void ScheduleFit();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;

private:
    ImageSurface& surface_;
    std::function<void()> redraw_;
    QTimer fitTimer_;
};

}  // namespace plots
