#include "levels_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace levels {

namespace {

constexpr double FIT_TOLERANCE = 1.5;
constexpr double SQRT2 = 1.4142135623730951;

double SignedArea(const std::vector<Vec>& p) {
  double s = 0;
  for (size_t i = 0; i < p.size(); ++i) {
    const Vec& a = p[i];
    const Vec& b = p[(i + 1) % p.size()];
    s += a.x * b.y - b.x * a.y;
  }
  return s / 2;
}

double Cross(Vec o, Vec a, Vec b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); }

// The local outlines at rotation 0, centred on the image centre.
std::vector<Vec> LocalPolygon(int element, int row) {
  switch (element) {
    case LARGE: return {{-86, 43}, {86, 43}, {0, -43}};
    case MEDIUM: return {{-2 * DIAG, DIAG}, {2 * DIAG, DIAG}, {0, -DIAG}};
    case SMALL: return {{-43, 21.5}, {43, 21.5}, {0, -21.5}};
    case SQUARE: return {{43, 0}, {0, 43}, {-43, 0}, {0, -43}};
    default:
      if (row == 2) return {{-21.5, 21.5}, {64.5, 21.5}, {21.5, -21.5}, {-64.5, -21.5}};
      return {{-64.5, 21.5}, {21.5, 21.5}, {64.5, -21.5}, {-21.5, -21.5}};
  }
}

// True when every vertex of want has its own vertex of have within the tolerance.
bool SameVertices(const std::vector<Vec>& want, const std::vector<Vec>& have) {
  if (want.size() != have.size()) return false;
  std::vector<bool> used(have.size(), false);
  for (const Vec& w : want) {
    bool found = false;
    for (size_t i = 0; i < have.size() && !found; ++i) {
      if (!used[i] && Distance(w, have[i]) <= FIT_TOLERANCE) used[i] = found = true;
    }
    if (!found) return false;
  }
  return true;
}

std::optional<PieceFit> FitAtCentre(int element, int row, Vec centre, const std::vector<Vec>& v) {
  for (int k = 0; k < 16; ++k) {
    Placement p{element, centre.x, centre.y, 22.5 * k};
    if (SameVertices(PiecePolygon(p, row), v)) {
      p.rotation = CanonicalRotation(element, p.rotation);
      return PieceFit{p, element == PARA ? row : 0};
    }
  }
  return std::nullopt;
}

std::string Format(const char* fmt, double a, double b = 0) {
  char buf[160];
  std::snprintf(buf, sizeof buf, fmt, a, b);
  return buf;
}

std::optional<PieceFit> FitTriangle(const std::vector<Vec>& v, std::string& why) {
  int longest = 0;
  double len[3];
  for (int i = 0; i < 3; ++i) {
    len[i] = Distance(v[(i + 1) % 3], v[(i + 2) % 3]);  // side opposite vertex i
    if (len[i] > len[longest]) longest = i;
  }
  const double hyp = len[longest];
  int element = -1;
  if (std::fabs(hyp - 172) <= FIT_TOLERANCE) element = LARGE;
  if (std::fabs(hyp - 4 * DIAG) <= FIT_TOLERANCE) element = MEDIUM;
  if (std::fabs(hyp - 86) <= FIT_TOLERANCE) element = SMALL;
  if (element < 0) {
    why = Format("a triangle with a long side of %.1f px is no piece (86, 121.6 or 172)", hyp);
    return std::nullopt;
  }
  for (int i = 0; i < 3; ++i) {
    if (i != longest && std::fabs(len[i] - hyp / SQRT2) > FIT_TOLERANCE) {
      why = Format("a triangle with sides %.1f and %.1f px is not right-angled and isosceles",
                   len[i], hyp);
      return std::nullopt;
    }
  }
  const Vec right = v[longest];
  const Vec mid = (v[(longest + 1) % 3] + v[(longest + 2) % 3]) * 0.5;
  auto fit = FitAtCentre(element, 0, (right + mid) * 0.5, v);
  if (!fit) why = "the triangle is not at a multiple of 22.5 degrees";
  return fit;
}

std::optional<PieceFit> FitQuad(const std::vector<Vec>& v, std::string& why) {
  Vec centre;
  for (const Vec& p : v) centre = centre + p * 0.25;
  if (auto fit = FitAtCentre(SQUARE, 0, centre, v)) return fit;
  if (auto fit = FitAtCentre(PARA, 1, centre, v)) return fit;
  if (auto fit = FitAtCentre(PARA, 2, centre, v)) return fit;
  double shortest = 1e9, longest = 0;
  for (size_t i = 0; i < 4; ++i) {
    const double d = Distance(v[i], v[(i + 1) % 4]);
    shortest = std::min(shortest, d);
    longest = std::max(longest, d);
  }
  why = Format("a four-sided outline with sides of %.1f to %.1f px is neither the square "
               "(sides 60.8) nor the parallelogram (sides 60.8 and 86) at a multiple of 22.5 degrees",
               shortest, longest);
  return std::nullopt;
}

}  // namespace

const char* ElementName(int element) {
  static const char* const names[] = {"large triangle", "medium triangle", "small triangle",
                                      "square", "parallelogram"};
  return element >= 0 && element < 5 ? names[element] : "unknown piece";
}

int TriangleCount(int element) { return element == LARGE ? 8 : element == SMALL ? 2 : 4; }

Vec Rotate(Vec v, double degrees) {
  const double r = degrees * M_PI / 180.0;
  double c = std::cos(r), s = std::sin(r);
  // Clean the exact cases so that grid figures stay exact at quarter turns.
  if (std::fabs(c) < 1e-12) c = 0;
  if (std::fabs(s) < 1e-12) s = 0;
  return {v.x * c - v.y * s, v.x * s + v.y * c};
}

double Distance(Vec a, Vec b) { return std::hypot(a.x - b.x, a.y - b.y); }

std::vector<Vec> PiecePolygon(const Placement& p, int row) {
  std::vector<Vec> poly = LocalPolygon(p.element, row);
  for (Vec& v : poly) v = Rotate(v, p.rotation) + Vec{p.x, p.y};
  return poly;
}

double CanonicalRotation(int element, double rotation) {
  const double period = element == SQUARE ? 90 : element == PARA ? 180 : 360;
  double r = std::fmod(rotation, period);
  if (r < 0) r += period;
  return r;
}

std::optional<PieceFit> FitPiece(const std::vector<Vec>& vertices, std::string& why) {
  if (vertices.size() == 3) return FitTriangle(vertices, why);
  if (vertices.size() == 4) return FitQuad(vertices, why);
  why = "a piece has 3 or 4 corners, this outline has " + std::to_string(vertices.size());
  return std::nullopt;
}

double PolygonArea(const std::vector<Vec>& polygon) { return std::fabs(SignedArea(polygon)); }

std::vector<Vec> ConvexHull(std::vector<Vec> pts) {
  std::sort(pts.begin(), pts.end(), [](Vec a, Vec b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
  if (pts.size() < 3) return pts;
  constexpr double EPS = 1e-6;
  std::vector<Vec> hull(2 * pts.size());
  size_t k = 0;
  for (size_t i = 0; i < pts.size(); ++i) {
    while (k >= 2 && Cross(hull[k - 2], hull[k - 1], pts[i]) <= EPS) --k;
    hull[k++] = pts[i];
  }
  for (size_t i = pts.size() - 1, t = k + 1; i-- > 0;) {
    while (k >= t && Cross(hull[k - 2], hull[k - 1], pts[i]) <= EPS) --k;
    hull[k++] = pts[i];
  }
  hull.resize(k - 1);
  return hull;
}

double ConvexOverlapArea(const std::vector<Vec>& a, const std::vector<Vec>& b) {
  const double orient = SignedArea(b) >= 0 ? 1 : -1;
  std::vector<Vec> clipped = a;
  for (size_t i = 0; i < b.size() && !clipped.empty(); ++i) {
    const Vec e0 = b[i], e1 = b[(i + 1) % b.size()];
    auto inside = [&](Vec p) { return Cross(e0, e1, p) * orient >= 0; };
    std::vector<Vec> next;
    for (size_t j = 0; j < clipped.size(); ++j) {
      const Vec p = clipped[j], q = clipped[(j + 1) % clipped.size()];
      const bool pin = inside(p), qin = inside(q);
      if (pin) next.push_back(p);
      if (pin != qin) {
        const double cp = Cross(e0, e1, p), cq = Cross(e0, e1, q);
        next.push_back(p + (q - p) * (cp / (cp - cq)));
      }
    }
    clipped = std::move(next);
  }
  return clipped.size() < 3 ? 0 : PolygonArea(clipped);
}

}  // namespace levels
