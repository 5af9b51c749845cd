// PLACEHOLDER until the launcher's pages land.
#include "Pitchwell/CataloguePage.h"

namespace pitchwell {

CataloguePage::CataloguePage(LauncherContext& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {}

}  // namespace pitchwell
