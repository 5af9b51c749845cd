// The launcher's page: the example catalogue (page 5).
#pragma once

#include "Pitchwell/LauncherContext.h"

#include <QWidget>

namespace pitchwell {

class CataloguePage : public QWidget {
    Q_OBJECT
public:
    CataloguePage(LauncherContext& ctx, QWidget* parent = nullptr);

private:
    LauncherContext& ctx_;
};

}  // namespace pitchwell
