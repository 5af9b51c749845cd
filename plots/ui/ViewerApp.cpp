// PLACEHOLDER until the window lands.
#include "plots/cli/Commands.h"

#include <QApplication>

namespace plots {
int RunViewer(int argc, char** argv, const std::string&)
{
    QApplication app(argc, argv);
    return 0;
}
}  // namespace plots
