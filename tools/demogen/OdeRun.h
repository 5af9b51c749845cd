// An ODE run of the derivative calculator: one component of an integrated system and its
// derivative over time, with the ODE as text and its parameters.
#pragma once

#include "tools/demogen/Numerics.h"

#include <string>
#include <vector>

namespace demogen {

struct OdeExample {
    std::string Stem;
    std::string Title;
    std::string OdeText;              // the ODE as the file shows it, a remark after "!"
    std::vector<std::string> ParamNames;
    Vec Params;
    std::vector<std::string> StateNames;
    Rhs F;
    Vec Y0;
    double T0 = 0, T1 = 1;
    int Steps = 1000;                 // RK4 steps
    int Every = 10;                   // a plotted point every so many steps
    std::size_t Shown = 0;            // the state component that is plotted
};

struct OdeRun {
    OdeExample Example;
    Trajectory Path;
    double ErrorEstimate = 0;  // largest change of the plotted component when the step is halved
};

OdeRun RunOdeExample(const OdeExample& ex);
std::string OdePlotFile(const OdeRun& run);
std::string OdeListing(const OdeRun& run);

}  // namespace demogen
