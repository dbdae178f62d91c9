#include "levels_snap.h"

#include <cmath>

namespace levels {

namespace {

double Cos(double deg) { return std::cos(deg * M_PI / 180.0); }
double Sin(double deg) { return std::sin(deg * M_PI / 180.0); }

// Conversion to int truncates toward zero, like the game's integer parameters.
int Trunc(double v) { return int(v); }

double Normalised(double angle) {
  while (angle < 0) angle = std::fmod(angle + 360, 360);
  return angle;
}

}  // namespace

void AddHalfTriangles(int x, int y, double extra, double rho, std::vector<SmallTri>& list) {
  const double a = std::fmod(rho + 135 + extra, 360);
  list.push_back({Trunc(x + Cos(a) * 14), Trunc(y + Sin(a) * 14), a});
  const double b = std::fmod(rho - 135 + extra, 360);
  list.push_back({Trunc(x - Cos(b) * 14), Trunc(y - Sin(b) * 14), b});
}

void AddMediumTriangle(int x, int y, double extra, double rho, std::vector<SmallTri>& list) {
  const double a = std::fmod(rho + 135 + extra, 360);
  AddHalfTriangles(Trunc(x + Cos(a) * 20), Trunc(y + Sin(a) * 20), extra + 135, rho, list);
  const double b = std::fmod(rho - 135 + extra, 360);
  AddHalfTriangles(Trunc(x - Cos(b) * 20), Trunc(y - Sin(b) * 20), extra - 135, rho, list);
}

void AddLargeTriangle(int x, int y, double extra, double rho, std::vector<SmallTri>& list) {
  const double a = std::fmod(rho + 135 + extra, 360);
  AddMediumTriangle(Trunc(x + Cos(a) * 31), Trunc(y + Sin(a) * 31), 135, rho, list);
  const double b = std::fmod(rho - 135 + extra, 360);
  AddMediumTriangle(Trunc(x - Cos(b) * 31), Trunc(y - Sin(b) * 31), -135, rho, list);
}

void AddPieceTriangles(const Placement& piece, int puzzleSet, std::vector<SmallTri>& list) {
  const int x = Trunc(piece.x), y = Trunc(piece.y);
  const double rho = piece.rotation;
  const double c = Cos(rho), s = Sin(rho);
  switch (piece.element) {
    case LARGE: AddLargeTriangle(x, y, 0, rho, list); break;
    case MEDIUM: AddMediumTriangle(x, y, 0, rho, list); break;
    case SMALL: AddHalfTriangles(x, y, 0, rho, list); break;
    case SQUARE:
      AddHalfTriangles(Trunc(x + c * 21), Trunc(y + s * 21), 90, rho, list);
      AddHalfTriangles(Trunc(x - c * 21), Trunc(y - s * 21), -90, rho, list);
      break;
    default: {
      const int sign = puzzleSet == 0 ? -1 : 1;
      AddHalfTriangles(Trunc(x + sign * c * 20), Trunc(y + sign * s * 20), 0, rho, list);
      AddHalfTriangles(Trunc(x - sign * c * 20), Trunc(y - sign * s * 20), 180, rho, list);
    }
  }
}

SnapResult TrySnap(int element, double x, double y, double rotation, int puzzleSet,
                   const std::vector<SmallTri>& targets) {
  std::vector<SmallTri> tris;
  AddPieceTriangles(Placement{element, x, y, rotation}, puzzleSet, tris);
  SnapResult result;
  int n = 0;
  double sumX = 0, sumY = 0;
  for (const SmallTri& p : tris) {
    const double pr = Normalised(p.r);
    int matches = 0;
    for (const SmallTri& t : targets) {
      if (t.x - 15 < p.x && p.x < t.x + 15 && t.y - 15 < p.y && p.y < t.y + 15 &&
          Normalised(t.r) == pr) {
        ++matches;
        sumX += t.x - p.x;
        sumY += t.y - p.y;
      }
    }
    n += matches;
    if (!matches) ++result.unmatched;
  }
  result.snaps = n >= int(tris.size());
  if (n > 0) {
    result.moveX = sumX / n;
    result.moveY = sumY / n;
  }
  return result;
}

}  // namespace levels
