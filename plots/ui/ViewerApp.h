// The windowed viewer's entry.
#pragma once

#include <string>

namespace plots {

// The window: the command tail is the arguments joined by single blanks.
int RunViewer(int argc, char** argv, const std::string& commandTail);

}  // namespace plots
