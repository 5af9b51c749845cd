// The launcher's page: the video page (page 7). A link-like label plays the presentation video
// with the desktop's associated player, or sends the user to the download address when the
// video is not installed; two more labels give the instructions.
#pragma once

#include "Pitchwell/LauncherContext.h"

#include <QWidget>

#include <string>

class QLabel;

namespace pitchwell {

// Where the presentation video can be fetched.
inline const std::string VideoDownloadAddress = "https://www.example.com/tavrick/marketing/qz-presentation.wmv";

// The captions of the page; the directory named is the one the video belongs in.
std::string VideoInstructionCaption(const std::string& videoDir);
std::string VideoMissingCaption(const std::string& videoDir);
inline const std::string VideoLinkCaption = "Click here  to download our (13 mb) video.";
inline const std::string VideoPresentLinkCaption = "Click here to view our video.";
inline const std::string VideoMoveFirstCaption =
    "First you must download our video file AND move it into our Video directory... please click below.";
inline const std::string VideoStartingCaption = "We are attempting to start our *.WMV file with your Associated filetype.";

inline const std::string NoWmvPlayerText = "You have -no- Associated filetype for WMV.\r\nYou need to download a windows "
                                           "media player\r\n program in order to get our video to run.";
inline const std::string NoWmvPlayerTitle = "Windows Media Player v. 9 or newer required";
inline const std::string VideoErrorText =
    "Sorry, can't run our video due to wrong version of the \r\nWMP.dll program on your Operating System.";
inline const std::string VideoErrorTitle = "Windows Media Player v. 9 required";

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
    // The pointer moved over the link: it turns red.
    void lblVideo_MouseMove();
    // The link: plays the video, or opens the download address.
    void lblVideo_Click();

    QLabel* lblVideo;
    QLabel* lblVideo2;
    QLabel* lblVideo3;

signals:
    // The "&Video" command wants the "&Videos" page shown.
    void ShowVideosPage();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    std::string VideoDirectory() const;
    void SetLinkColour(const QColor& colour);

    LauncherContext& ctx_;
};

}  // namespace pitchwell
