// The launcher's page: the sign-up form (page 4).
#pragma once

#include "Pitchwell/LauncherContext.h"

#include <QWidget>

namespace pitchwell {

class RegistrationPage : public QWidget {
    Q_OBJECT
public:
    RegistrationPage(LauncherContext& ctx, QWidget* parent = nullptr);

private:
    LauncherContext& ctx_;
};

}  // namespace pitchwell
