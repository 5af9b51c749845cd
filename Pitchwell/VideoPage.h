// The launcher's page: the video page (page 7).
#pragma once

#include "Pitchwell/LauncherContext.h"

#include <QWidget>

namespace pitchwell {

class VideoPage : public QWidget {
    Q_OBJECT
public:
    VideoPage(LauncherContext& ctx, QWidget* parent = nullptr);

    // Start-up hook: with the video file present, the link and instruction labels change.
    void ApplyStartupVideoCheck();
    // The File menu's "&Video" command.
    void mnuFileVideo_Click();
    // The pointer moved over the main window's own surface: the link turns blue again.
    void Form_MouseMove();

signals:
    // The "&Video" command wants the "&Videos" page shown.
    void ShowVideosPage();

private:
    LauncherContext& ctx_;
};

}  // namespace pitchwell
