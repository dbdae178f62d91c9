#include "levels_silhouette.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace levels {

namespace {

constexpr double STEP = 2;  // px between samples
// Figures beyond this size (px) fail the field check anyway and are not sampled.
constexpr double MAX_EXTENT = 1000;

struct Bounds {
  Vec min{1e18, 1e18}, max{-1e18, -1e18};
  void Add(const std::vector<Vec>& polygon) {
    for (Vec v : polygon) {
      min = {std::min(min.x, v.x), std::min(min.y, v.y)};
      max = {std::max(max.x, v.x), std::max(max.y, v.y)};
    }
  }
};

// Inside or on the edge of a convex polygon of either winding.
bool InsideConvex(const std::vector<Vec>& polygon, Vec p) {
  int side = 0;
  for (size_t i = 0; i < polygon.size(); ++i) {
    const Vec a = polygon[i], b = polygon[(i + 1) % polygon.size()];
    const double cross = (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
    const int s = cross > 0 ? 1 : cross < 0 ? -1 : 0;
    if (s == 0) continue;
    if (side == 0) side = s;
    if (s != side) return false;
  }
  return true;
}

}  // namespace

Silhouette SampleSilhouette(const CompiledLevel& level) {
  std::vector<std::vector<Vec>> polygons;
  Bounds all;
  for (const Placement& p : level.exact) {
    polygons.push_back(PiecePolygon(p, level.puzzleSet + 1));
    all.Add(polygons.back());
  }
  Silhouette s;
  const Vec size = all.max - all.min;
  if (polygons.empty() || !(size.x <= MAX_EXTENT && size.y <= MAX_EXTENT)) return s;  // also NaN
  s.width = int(std::ceil((all.max.x - all.min.x) / STEP));
  s.height = int(std::ceil((all.max.y - all.min.y) / STEP));
  s.inside.assign(size_t(s.width) * size_t(s.height), 0);
  // Each piece marks the samples around it that fall inside it.
  for (const std::vector<Vec>& polygon : polygons) {
    Bounds box;
    box.Add(polygon);
    const int x0 = std::max(0, int((box.min.x - all.min.x) / STEP) - 1);
    const int x1 = std::min(s.width, int((box.max.x - all.min.x) / STEP) + 1);
    const int y0 = std::max(0, int((box.min.y - all.min.y) / STEP) - 1);
    const int y1 = std::min(s.height, int((box.max.y - all.min.y) / STEP) + 1);
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (InsideConvex(polygon, {all.min.x + (x + 0.5) * STEP, all.min.y + (y + 0.5) * STEP}))
          s.inside[size_t(y) * size_t(s.width) + size_t(x)] = 1;
  }
  s.area = int(std::count(s.inside.begin(), s.inside.end(), 1));
  return s;
}

double SilhouetteDifference(const Silhouette& a, const Silhouette& b) {
  // Figures of other sizes differ; a sample more or less comes from rounding.
  if (std::abs(a.width - b.width) > 1 || std::abs(a.height - b.height) > 1) return 1;
  const int larger = std::max(a.area, b.area);
  if (larger == 0) return 0;
  auto at = [](const Silhouette& s, int x, int y) {
    return x < s.width && y < s.height && s.inside[size_t(y) * size_t(s.width) + size_t(x)];
  };
  int differ = 0;
  for (int y = 0; y < std::max(a.height, b.height); ++y)
    for (int x = 0; x < std::max(a.width, b.width); ++x) differ += at(a, x, y) != at(b, x, y);
  return double(differ) / larger;
}

}  // namespace levels
