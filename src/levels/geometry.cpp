#include "levels/geometry.h"

#include "media/graphics.h"

#include <cmath>

SmallTriList TargetTris;
SmallTriList PieceTris;

namespace {

constexpr double DEG = 3.14159265358979323846 / 180.0;
double Cos(double deg) { return std::cos(deg * DEG); }
double Sin(double deg) { return std::sin(deg * DEG); }
int Trunc(double v) { return int(v); }  // toward zero

}  // namespace

void AddHalfTriangles(int x, int y, float extraAngle, SmallTriList& list) {
  const double rho = GetRotation();
  const double a = std::fmod(rho + 135 + extraAngle, 360.0);
  list.push_back(SmallTri{Trunc(x + Cos(a) * 14), Trunc(y + Sin(a) * 14), float(a)});
  const double b = std::fmod(rho - 135 + extraAngle, 360.0);
  list.push_back(SmallTri{Trunc(x - Cos(b) * 14), Trunc(y - Sin(b) * 14), float(b)});
}

void AddMediumTriangle(int x, int y, float extraAngle, SmallTriList& list) {
  const double rho = GetRotation();
  const double a = std::fmod(rho + 135 + extraAngle, 360.0);
  AddHalfTriangles(Trunc(x + Cos(a) * 20), Trunc(y + Sin(a) * 20), extraAngle + 135, list);
  const double b = std::fmod(rho - 135 + extraAngle, 360.0);
  AddHalfTriangles(Trunc(x - Cos(b) * 20), Trunc(y - Sin(b) * 20), extraAngle - 135, list);
}

void AddLargeTriangle(int x, int y, float extraAngle, SmallTriList& list) {
  const double rho = GetRotation();
  const double a = std::fmod(rho + 135 + extraAngle, 360.0);
  AddMediumTriangle(Trunc(x + Cos(a) * 31), Trunc(y + Sin(a) * 31), 135, list);
  const double b = std::fmod(rho - 135 + extraAngle, 360.0);
  AddMediumTriangle(Trunc(x - Cos(b) * 31), Trunc(y - Sin(b) * 31), -135, list);
}

void AddPieceTriangles(int element, int x, int y, int puzzleSet, SmallTriList& list) {
  const double rho = GetRotation();
  const double c = Cos(rho), s = Sin(rho);
  switch (element) {
    case 0:
      AddLargeTriangle(x, y, 0, list);
      break;
    case 1:
      AddMediumTriangle(x, y, 0, list);
      break;
    case 2:
      AddHalfTriangles(x, y, 0, list);
      break;
    case 3:
      AddHalfTriangles(Trunc(x + c * 21), Trunc(y + s * 21), 90, list);
      AddHalfTriangles(Trunc(x - c * 21), Trunc(y - s * 21), -90, list);
      break;
    case 4: {
      // The mirrored parallelogram swaps which half carries the turned triangle.
      const double k = puzzleSet == 0 ? -1 : 1;
      AddHalfTriangles(Trunc(x + k * c * 20), Trunc(y + k * s * 20), 0, list);
      AddHalfTriangles(Trunc(x - k * c * 20), Trunc(y - k * s * 20), 180, list);
      break;
    }
    default:
      break;
  }
}
