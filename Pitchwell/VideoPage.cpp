#include "Pitchwell/VideoPage.h"

#include "Pitchwell/LauncherCommands.h"
#include "common/FormResizer.h"
#include "common/Paths.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

#include <exception>

namespace pitchwell {

namespace {

constexpr int Px(int twips) { return twips / tk::TwipsPerPixel; }

QLabel* MakeLabel(const char* name, const std::string& text, QWidget* parent, QRect place, double points)
{
    auto* label = new QLabel(QString::fromStdString(text), parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont f = label->font();
    f.setPointSizeF(points);
    label->setFont(f);
    label->setGeometry(place);
    return label;
}

}  // namespace

// The captions name the directory the video belongs in as it is on this installation.
std::string VideoInstructionCaption(const std::string& videoDir)
{
    return "After download, Move a copy of QZ-presentation.wmv into your \"" + videoDir +
           "\" directory.  Next re-start this program.  Thanks!";
}

std::string VideoMissingCaption(const std::string& videoDir)
{
    return "Our video (qz-presentation.wmv) file is NOT in your '" + videoDir +
           "' directory. Please download it and move it into our video directory.";
}

VideoPage::VideoPage(LauncherContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx)
{
    setObjectName("pageVideos");
    setMouseTracking(true);
    lblVideo3 = MakeLabel("lblVideo3", VideoMoveFirstCaption, this, {Px(900), Px(700), Px(11500), Px(700)}, 11);
    // Shown by the "&Video" command when the video is missing.
    lblVideo3->setEnabled(false);
    lblVideo3->setVisible(false);
    lblVideo = MakeLabel("lblVideo", VideoLinkCaption, this, {Px(900), Px(1700), Px(9000), Px(600)}, 16);
    QFont link = lblVideo->font();
    link.setUnderline(true);
    lblVideo->setFont(link);
    lblVideo->setCursor(Qt::PointingHandCursor);
    lblVideo->setMouseTracking(true);
    lblVideo->installEventFilter(this);
    SetLinkColour(QColor(0, 0, 255));
    lblVideo2 = MakeLabel("lblVideo2", VideoInstructionCaption(VideoDirectory()), this,
                          {Px(900), Px(2700), Px(11500), Px(1400)}, 11);
}

std::string VideoPage::VideoDirectory() const
{
    const std::string& file = ctx_.Paths.VideoFile;
    return file.empty() ? ctx_.Paths.OwnDir + "/video" : tk::DirectoryPart(file);
}

void VideoPage::SetLinkColour(const QColor& colour)
{
    QPalette palette = lblVideo->palette();
    palette.setColor(QPalette::WindowText, colour);
    lblVideo->setPalette(palette);
}

void VideoPage::ApplyStartupVideoCheck()
{
    if (!FileExists(ctx_.Messages, ctx_.Paths.VideoFile))
        return;
    lblVideo->setText(QString::fromStdString(VideoPresentLinkCaption));
    lblVideo2->clear();
    lblVideo3->clear();
}

void VideoPage::Form_MouseMove() { SetLinkColour(QColor(0, 0, 255)); }

void VideoPage::lblVideo_MouseMove() { SetLinkColour(QColor(255, 0, 0)); }

void VideoPage::lblVideo_Click()
{
    if (FileExists(ctx_.Messages, ctx_.Paths.VideoFile)) {
        mnuFileVideo_Click();
        return;
    }
    lblVideo2->setText(QString::fromStdString(VideoMissingCaption(VideoDirectory())));
    // The browser reports its own troubles; the launcher does not look at the outcome.
    std::string unused;
    ctx_.Starter.Open(VideoDownloadAddress, unused);
}

void VideoPage::mnuFileVideo_Click()
{
    try {
        if (!FileExists(ctx_.Messages, ctx_.Paths.VideoFile)) {
            lblVideo3->setEnabled(true);
            lblVideo3->setVisible(true);
            emit ShowVideosPage();
            return;
        }
        lblVideo2->setText(QString::fromStdString(VideoStartingCaption));
        std::string reason;
        if (!ctx_.Starter.Open(ctx_.Paths.VideoFile, reason))
            ctx_.Messages.Show(NoWmvPlayerText, NoWmvPlayerTitle, tk::MsgIcon::Critical, tk::MsgButtons::Ok);
    } catch (const std::exception&) {
        ctx_.Messages.Show(VideoErrorText, VideoErrorTitle, tk::MsgIcon::Critical, tk::MsgButtons::Ok);
    }
}

bool VideoPage::eventFilter(QObject* watched, QEvent* event)
{
    // The link keeps its pointer events; passed on, they would reach the page's own surface.
    if (watched == lblVideo && event->type() == QEvent::MouseMove) {
        lblVideo_MouseMove();
        return true;
    }
    if (watched == lblVideo && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        lblVideo_Click();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void VideoPage::mouseMoveEvent(QMouseEvent* event)
{
    // The page's bare surface counts as the window's own surface.
    Form_MouseMove();
    QWidget::mouseMoveEvent(event);
}

}  // namespace pitchwell
