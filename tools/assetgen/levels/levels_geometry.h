// Tangram piece geometry for the level compiler: the outline of each piece kind at a
// placement, the fit that turns an outline back into (kind, centre, rotation), and the
// convex-polygon helpers the overlap check uses. Screen pixels, y down, positive
// rotations turn clockwise on screen.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace levels {

constexpr double UNIT = 43.0;                // leg of the half-small triangle T
constexpr double DIAG = 30.405591591021544;  // UNIT / sqrt(2): one step of the turned grid
constexpr double T_AREA = UNIT * UNIT / 2;   // area of T

enum Element { LARGE = 0, MEDIUM = 1, SMALL = 2, SQUARE = 3, PARA = 4 };

struct Vec {
  double x = 0, y = 0;
};

inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
inline Vec operator*(Vec a, double k) { return {a.x * k, a.y * k}; }

struct Placement {
  int element = LARGE;
  double x = 0, y = 0;
  double rotation = 0;  // degrees, canonical for the kind
};

const char* ElementName(int element);
int TriangleCount(int element);  // number of T in the piece

Vec Rotate(Vec v, double degrees);
double Distance(Vec a, Vec b);

// Outline of a piece; row 1 is the "/" parallelogram, row 2 its mirror.
std::vector<Vec> PiecePolygon(const Placement& p, int row);

// Square rotations repeat every 90 degrees, parallelograms every 180.
double CanonicalRotation(int element, double rotation);

struct PieceFit {
  Placement placement;
  int row = 0;  // 1 or 2 for a parallelogram, 0 otherwise
};

// Fits an outline (any vertex order) to a piece at one of the 16 rotations, within
// 1.5 px per vertex. On failure returns nothing and says why.
std::optional<PieceFit> FitPiece(const std::vector<Vec>& vertices, std::string& why);

double PolygonArea(const std::vector<Vec>& polygon);  // absolute
// Convex hull without collinear points.
std::vector<Vec> ConvexHull(std::vector<Vec> points);
// Area shared by two convex polygons.
double ConvexOverlapArea(const std::vector<Vec>& a, const std::vector<Vec>& b);

}  // namespace levels
