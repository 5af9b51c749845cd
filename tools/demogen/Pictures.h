// Picture plots of the optimisation examples: contour graphs of an objective, the path a
// solver took across them, its convergence history and a constraint, drawn on the viewer's
// own plot surface and saved as GIF pictures with a fixed palette.
#pragma once

#include "tools/demogen/Numerics.h"

#include <QImage>

#include <functional>
#include <string>
#include <vector>

namespace demogen {

using Objective = std::function<double(double x, double y)>;

struct Segment {
    double X1, Y1, X2, Y2;
};

// Marching squares: the pieces of the level line f = level over the rectangle, sampled on an
// nx by ny grid of cells.
std::vector<Segment> ContourSegments(const Objective& f, double level, double x0, double x1,
                                     double y0, double y1, int nx, int ny);

struct ContourPicture {
    std::string Title;
    std::string Subtitle;
    Objective F;
    double X0 = -2, X1 = 2, Y0 = -1, Y1 = 3;
    Vec Levels;
    std::vector<Vec> Path;       // solver iterates (x, y), drawn joined and numbered
    double ConstraintRadius = 0; // when above 0, the circle x^2 + y^2 = r^2 and its outside hatched
    Vec Marker;                  // (x, y) of the point to mark, empty for none
    std::string MarkerText;
};

QImage DrawContourPicture(const ContourPicture& picture, int width = 640, int height = 480);

// The convergence history: log10 of the objective against the iteration number.
QImage DrawHistoryPicture(const std::string& title, const Vec& values, int width = 640, int height = 480);

// The fixed palette every picture is reduced to, and the GIF file of an image in it.
std::vector<QRgb> PicturePalette();
bool WriteGif(const std::string& path, const QImage& image);

}  // namespace demogen
