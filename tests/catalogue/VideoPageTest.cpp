// The video page's branches with a starter that records what it is asked to open.
#include "CatalogueTestSupport.h"
#include "Pitchwell/VideoPage.h"

#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace pitchwell;
using namespace cataloguetest;

namespace {

enum class Action { MenuVideo, LinkClick };
enum class Opener { Works, NoAssociation, Throws };

struct VideoCase {
    const char* Name;
    bool VideoPresent;
    Action Do;
    Opener Open;
    std::string Opened;  // "video", "address" or ""
    std::string Status;  // lblVideo2 afterwards: "starting", "missing" or "instruction"
    const char* BoxTitle;
    bool ShowsPage;
};

const VideoCase kVideoCases[] = {
    {"menu plays a present video", true, Action::MenuVideo, Opener::Works, "video", "starting", nullptr, false},
    {"menu without an associated player", true, Action::MenuVideo, Opener::NoAssociation, "video", "starting",
     "Windows Media Player v. 9 or newer required", false},
    {"menu when starting the player fails", true, Action::MenuVideo, Opener::Throws, "video", "starting",
     "Windows Media Player v. 9 required", false},
    {"menu without the video shows the page", false, Action::MenuVideo, Opener::Works, "", "instruction", nullptr,
     true},
    {"link plays a present video", true, Action::LinkClick, Opener::Works, "video", "starting", nullptr, false},
    {"link without a player gives the association message", true, Action::LinkClick, Opener::NoAssociation, "video",
     "starting", "Windows Media Player v. 9 or newer required", false},
    {"link without the video opens the address", false, Action::LinkClick, Opener::Works, "address", "missing",
     nullptr, false},
    {"link ignores a failing browser", false, Action::LinkClick, Opener::NoAssociation, "address", "missing", nullptr,
     false},
};

class VideoTable : public ::testing::TestWithParam<VideoCase> {};

TEST_P(VideoTable, OpensShowsAndReports)
{
    const VideoCase& c = GetParam();
    Installation inst;
    if (c.VideoPresent)
        WriteFile(inst.Paths.VideoFile);
    inst.Recorder.OpenResult = c.Open != Opener::NoAssociation;
    inst.Recorder.OpenThrows = c.Open == Opener::Throws;
    VideoPage page(inst.Recording);
    QSignalSpy shown(&page, &VideoPage::ShowVideosPage);

    if (c.Do == Action::MenuVideo)
        page.mnuFileVideo_Click();
    else
        page.lblVideo_Click();

    const std::string videoDir = inst.Paths.OwnDir + "/video";
    std::vector<std::string> expectedOpened;
    if (c.Opened == "video")
        expectedOpened = {inst.Paths.VideoFile};
    else if (c.Opened == "address")
        expectedOpened = {VideoDownloadAddress};
    EXPECT_EQ(inst.Recorder.Opened, expectedOpened);
    const std::string status = c.Status == "starting" ? VideoStartingCaption
                               : c.Status == "missing" ? VideoMissingCaption(videoDir)
                                                       : VideoInstructionCaption(videoDir);
    EXPECT_EQ(page.lblVideo2->text().toStdString(), status);
    if (c.BoxTitle) {
        ASSERT_EQ(inst.Dialogs.Boxes.size(), 1u);
        EXPECT_EQ(inst.Dialogs.Boxes[0].Title, c.BoxTitle);
        EXPECT_EQ(inst.Dialogs.Boxes[0].Icon, tk::MsgIcon::Critical);
        EXPECT_EQ(inst.Dialogs.Boxes[0].Buttons, tk::MsgButtons::Ok);
    } else {
        EXPECT_TRUE(inst.Dialogs.Boxes.empty());
    }
    EXPECT_EQ(shown.count(), c.ShowsPage ? 1 : 0);
    EXPECT_EQ(page.lblVideo3->isVisibleTo(&page), c.ShowsPage);
    EXPECT_EQ(page.lblVideo3->isEnabled(), c.ShowsPage);
}

INSTANTIATE_TEST_SUITE_P(Video, VideoTable, ::testing::ValuesIn(kVideoCases),
                         [](const auto& info) { return CaseName(info.param.Name); });

TEST(VideoPage, CaptionsAtDesignAndWithTheVideoPresent)
{
    for (bool present : {false, true}) {
        SCOPED_TRACE(present);
        Installation inst;
        if (present)
            WriteFile(inst.Paths.VideoFile);
        VideoPage page(inst.Recording);
        page.ApplyStartupVideoCheck();
        const std::string dir = inst.Paths.OwnDir + "/video";
        EXPECT_EQ(page.lblVideo->text().toStdString(), present ? VideoPresentLinkCaption : VideoLinkCaption);
        EXPECT_EQ(page.lblVideo2->text().toStdString(), present ? "" : VideoInstructionCaption(dir));
        EXPECT_EQ(page.lblVideo3->text().toStdString(), present ? "" : VideoMoveFirstCaption);
    }
}

TEST(VideoPage, TextsAsTheUserReadsThem)
{
    EXPECT_EQ(VideoLinkCaption, "Click here  to download our (13 mb) video.");
    EXPECT_EQ(VideoInstructionCaption("/opt/tk/Pitchwell/video"),
              "After download, Move a copy of QZ-presentation.wmv into your \"/opt/tk/Pitchwell/video\" directory.  "
              "Next re-start this program.  Thanks!");
    EXPECT_EQ(VideoMissingCaption("/opt/tk/Pitchwell/video"),
              "Our video (qz-presentation.wmv) file is NOT in your '/opt/tk/Pitchwell/video' directory. Please "
              "download it and move it into our video directory.");
    EXPECT_EQ(NoWmvPlayerText, "You have -no- Associated filetype for WMV.\r\nYou need to download a windows media "
                               "player\r\n program in order to get our video to run.");
    EXPECT_EQ(VideoErrorText,
              "Sorry, can't run our video due to wrong version of the \r\nWMP.dll program on your Operating System.");
    const std::string tail = "/marketing/qz-presentation.wmv";
    EXPECT_EQ(VideoDownloadAddress.substr(VideoDownloadAddress.size() - tail.size()), tail);
    EXPECT_EQ(VideoDownloadAddress.rfind("https://www.example.com/", 0), 0u);
}

void MoveOver(QWidget* w)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

TEST(VideoPage, LinkTurnsRedUnderThePointerAndBlueOffIt)
{
    Installation inst;
    VideoPage page(inst.Recording);
    const auto colour = [&] { return page.lblVideo->palette().color(QPalette::WindowText); };
    EXPECT_EQ(colour(), QColor(0, 0, 255));
    MoveOver(page.lblVideo);
    EXPECT_EQ(colour(), QColor(255, 0, 0));
    MoveOver(&page);
    EXPECT_EQ(colour(), QColor(0, 0, 255));
    MoveOver(page.lblVideo);
    page.Form_MouseMove();
    EXPECT_EQ(colour(), QColor(0, 0, 255));
}

TEST(VideoPage, ClickingTheLinkWithTheMouseActs)
{
    Installation inst;
    VideoPage page(inst.Recording);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(2, 2), page.lblVideo->mapToGlobal(QPointF(2, 2)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(page.lblVideo, &release);
    EXPECT_EQ(inst.Recorder.Opened, std::vector<std::string> {VideoDownloadAddress});
}

}  // namespace
