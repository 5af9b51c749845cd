// PLACEHOLDER until the rendering work lands.
#include "plots/cli/Commands.h"

namespace plots {
int RunExportCommand(const std::vector<std::string>&) { return 1; }
}  // namespace plots
