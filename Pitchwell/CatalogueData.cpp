#include "Pitchwell/CatalogueData.h"

namespace pitchwell {

const std::vector<SolverInfo>& Solvers()
{
    static const std::vector<SolverInfo> solvers = {
        {"Sumtra", "sumt", "sequential unconstrained minimization"},
        {"Convexa", "scp", "sequential convex programming"},
        {"Lagrana", "alm", "augmented Lagrange multiplier method"},
        {"Feasimod", "mfd", "modified method of feasible directions"},
        {"Quadrix", "sqp", "sequential quadratic programming"},
        {"Directa", "fd", "method of feasible directions"},
        {"Contoura", "con", "generate contour and constraint graph"},
        {"Mapwell", "map", "generate contour and constraint graph"},
        {"Linstep", "slp", "sequential linear programming"},
        {"Gradex", "grx", ""},
        {"Simplar", "smp", ""},
        {"Sumtra II", "sumt", "sequential unconstrained minimization"},
        {"Convexa II", "scp", "sequential convex programming"},
        {"Lagrana II", "alm", "augmented Lagrange multiplier method"},
        {"Feasimod II", "mfd", "modified method of feasible directions"},
        {"Quadrix II", "sqp", "sequential quadratic programming"},
        {"Directa II", "fd", "method of feasible directions"},
        {"Nonlinex", "nlp", ""},
    };
    return solvers;
}

namespace {

std::vector<CatalogueEntry> SolverEntries()
{
    std::vector<CatalogueEntry> out;
    int i = 0;
    for (const SolverInfo& s : Solvers()) {
        const std::string series = ++i <= 11 ? "hb1" : "hb2";
        out.push_back({series + s.Code + ".qz", s.Name + "..." + s.Method});
    }
    return out;
}

}  // namespace

const std::vector<CatalogueSection>& CatalogueSections()
{
    static const std::vector<CatalogueSection> pages = {
        {"&Algebraic Equations", "alg_exam", "alg_descript",
         {{"ACmotor.qz", "AC Motor Design to Maximize Efficiency"},
          {"Circuit.qz", "Best Circuit Fit"},
          {"Damper.qz", "Data trend"},
          {"EasyFit.qz", "Easy Curvefit"},
          {"HardFit.qz", "Hard Curvefit"},
          {"MaxLik.qz", "Maximum likelihood estimation"},
          {"MultExt.qz", "Multiple Extrema"},
          {"Neural.qz", "Neutral ... Neurons"},
          {"Noise.qz", "Minimize Airport Noise "},
          {"React.qz", "Moles Reaction"},
          {"ReadRit.qz", "2nd Lorentzian Series of TFH dataset"},
          {"ReadRit2.qz", "Lorentzian Series, a great model"},
          {"Rocket.qz", "3 Stage Rocket Design Optimization"},
          {"RosenBrh.qz", "Solver Contoura...Contour Graph of Rosenbrock's function"},
          {"Simul.qz", "Solve 3 equations w/3 unknowns"},
          {"tCircuit.qz", "Contour Graph of Rosenbrock's function"},
          {"TwoPump.qz", "Pumping System - Implicit Nonlinear"},
          {"UnderDet.qz", "Nearest Point on a Contour"},
          {"WoodsOpt.qz", "Optimization with Bounds"},
          {"fit4QZ-W.qz", "Lorentzian fit, A1!"}}},
        {"&Inital Value Problems", "IVP_Exam", "IVP_Descript",
         {{"Beam.qz", "Cantilever Beam"},
          {"EjectSim.qz", "Pilot Ejection Simulation"},
          {"GoodTire.qz", "Radial tire design problem"},
          {"GunAt.qz", "Shell Projectile"},
          {"ImpDEs.qz", "Implicit Differential Equations"},
          {"KROGH.qz", "A Stiff Differential Equation"},
          {"LIMIT1.qz", "Use limiting to print integration output"},
          {"MININTEG.qz", "Minimize integral w/limits"},
          {"PURSUIT.qz", "Missile Pursuit Problem"},
          {"VOLTERIS.qz", "Ecological Equilibrium Problem"},
          {"PDE-ivp.qz", "Burgers PDE 1-D Problem"}}},
        {"&Boundary Value Problems", "BVP_Exam", "BVP_Descript",
         {{"CHEMPAR.qz", "Chemical Kinetics Parameter Estimation"},
          {"Eject.qz", "Pilot Ejection Profile"},
          {"Fin.qz", "Heat Transfer in a Tapered Fin"},
          {"OptDes.qz", "Best Design && Control"},
          {"Orbit.qz", "Orbit motion"},
          {"Wing.qz", "Cantilever beam differential equation"}}},
        {"In&verse Problems", "IP_Exam", "IP_Desc",
         {{"Pharm-IP.qz", "Know desired decay time, need parameters to get there!"},
          {"PharmAlg.qz", "same as above but more practical."}}},
        {"&Statistics", "statistic_Exam", "statistic_Desc",
         {{"GunAt2.qz", "Tolerance using Root-sum-square of partials (not Monte Carlo)"},
          {"Failure.qz", "analysis using Monte Carlo"}}},
        {"S&olvers", "solver_Exam", "solver_Descript", SolverEntries()},
        {"&Templates", "template_Exam", "template_Desc",
         {{"Algebra.qz", "Algebraic problem"},
          {"IVP.qz", "Initial value problems (IVP)"},
          {"BVP.qz", "Boundary value problems (BVP)"},
          {"PDE-ivp.qz", "Burgers PDE (1-dimensional) problem"},
          {"~FIND-stmt.txt", "Summary of FIND statements"},
          {"~Initiate-stmt.txt", "Summary of INITIATE statements"},
          {"fit4QZ-W.qz", "Full application"}}},
    };
    return pages;
}

}  // namespace pitchwell
