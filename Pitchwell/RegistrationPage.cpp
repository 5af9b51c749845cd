// PLACEHOLDER until the launcher's pages land.
#include "Pitchwell/RegistrationPage.h"

namespace pitchwell {

RegistrationPage::RegistrationPage(LauncherContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {}

}  // namespace pitchwell
