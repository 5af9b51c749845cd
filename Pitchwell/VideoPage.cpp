// PLACEHOLDER until the launcher's pages land.
#include "Pitchwell/VideoPage.h"

namespace pitchwell {

VideoPage::VideoPage(LauncherContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {}
void VideoPage::ApplyStartupVideoCheck() {}
void VideoPage::mnuFileVideo_Click() {}
void VideoPage::Form_MouseMove() {}

}  // namespace pitchwell
