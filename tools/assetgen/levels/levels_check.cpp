#include "levels_check.h"

#include "levels_silhouette.h"
#include "levels_snap.h"

#include <cmath>
#include <cstdio>

namespace levels {

namespace {

constexpr double MAX_OVERLAP = 12;   // px²: seams of a pixel are fine, real overlaps are large
constexpr double MAX_SNAP_MOVE = 3;  // px a piece dropped on its own place may be moved

std::string Printf(const char* fmt, double a = 0, double b = 0, double c = 0, double d = 0) {
  char buf[240];
  std::snprintf(buf, sizeof buf, fmt, a, b, c, d);
  return buf;
}

int LineOf(const SourcePiece& p) { return p.useLine ? p.useLine : p.line; }

std::string Name(const Placement& p) { return std::string("the ") + ElementName(p.element); }

void CheckModes(const CompiledLevel& level, const SourceLevel& src, Diagnostics& diag) {
  const unsigned m = level.misc;
  if ((m & LP_ENLIGHTENMENT) && (m & LP_MEDITATION))
    diag.Error(src.line, "enlightenment and meditation exclude each other");
  if ((m & (LP_BOMBS | LP_JOKER)) && !(m & LP_PLAY_FOR_TILES))
    diag.Error(src.line, "bombs and jokers belong to \"tiles\" levels");
  if ((m & LP_PLAY_FOR_TILES) && !src.board)
    diag.Error(src.line, "a \"tiles\" level needs a board");
  if (src.board && !(m & LP_PLAY_FOR_TILES))
    diag.Error(src.board->line, "a board only plays on a \"tiles\" level");
}

void CheckRotations(const CompiledLevel& level, const SourceLevel& src, Diagnostics& diag) {
  int family = -1;
  for (size_t i = 0; i < level.pieces.size(); ++i) {
    const double r = level.pieces[i].rotation;
    const double steps = r / 22.5;
    if (r < 0 || r >= 360 || steps != std::floor(steps)) {
      diag.Error(LineOf(src.pieces[i]), Printf("rotation %g is no multiple of 22.5 in [0, 360)", r));
      continue;
    }
    const int parity = int(steps) % 2;
    if (family < 0) family = parity;
    if (parity != family)
      diag.Error(LineOf(src.pieces[i]), Printf("rotation %g mixes the 45-degree and the odd "
                                               "22.5-degree families in one level", r));
  }
}

void CheckField(const CompiledLevel& level, const SourceLevel& src, int row, Diagnostics& diag) {
  const double lift = (level.misc & LP_FLOATING_TILES) ? FLOAT_AMPLITUDE : 0;
  const double top = FIELD_TOP + lift, bottom = FIELD_BOTTOM - lift;
  for (size_t i = 0; i < level.pieces.size(); ++i) {
    const Placement& p = level.pieces[i];
    double x0 = 1e9, x1 = -1e9, y0 = 1e9, y1 = -1e9;
    for (Vec v : PiecePolygon(p, row)) {
      x0 = std::min(x0, v.x), x1 = std::max(x1, v.x);
      y0 = std::min(y0, v.y), y1 = std::max(y1, v.y);
    }
    const int line = LineOf(src.pieces[i]);
    constexpr double EPS = 0.5;  // whole-pixel centres may move an edge half a pixel
    if (x0 < FIELD_LEFT - EPS || x1 > FIELD_RIGHT + EPS)
      diag.Error(line, Name(p) + Printf(" spans x %.1f..%.1f, outside the field %g..%g", x0, x1,
                                        FIELD_LEFT, FIELD_RIGHT));
    if (y0 < top - EPS || y1 > bottom + EPS)
      diag.Error(line, Name(p) + Printf(" spans y %.1f..%.1f, outside the field %g..%g", y0, y1,
                                        top, bottom) + (lift ? " (floating pieces bob 30 px)" : ""));
    if (p.x < MIN_CENTRE || p.y < MIN_CENTRE)
      diag.Error(line, Name(p) + Printf(" has its centre at %.1f,%.1f; keep x and y at 90 or more",
                                        p.x, p.y));
  }
}

void CheckOverlaps(const CompiledLevel& level, const SourceLevel& src, int row, Diagnostics& diag) {
  std::vector<std::vector<Vec>> polygons;
  // The design positions: whole-pixel centres add only rounding seams.
  for (const Placement& p : level.exact) polygons.push_back(PiecePolygon(p, row));
  for (size_t j = 1; j < polygons.size(); ++j) {
    for (size_t i = 0; i < j; ++i) {
      const double shared = ConvexOverlapArea(polygons[i], polygons[j]);
      if (shared > MAX_OVERLAP)
        diag.Error(LineOf(src.pieces[j]),
                   Name(level.pieces[j]) + " overlaps " + Name(level.pieces[i]) + " of line " +
                       std::to_string(LineOf(src.pieces[i])) + Printf(" by %.0f px²", shared));
    }
  }
}

// Each piece, dropped on its own place at any rotation that looks the same, must snap
// there: the game's own rule with the game's truncation.
void CheckSnapping(const CompiledLevel& level, const SourceLevel& src, Diagnostics& diag) {
  std::vector<SmallTri> targets;
  for (const Placement& p : level.pieces) AddPieceTriangles(p, level.puzzleSet, targets);
  for (size_t i = 0; i < level.pieces.size(); ++i) {
    const Placement& p = level.pieces[i];
    const int looks = p.element == SQUARE ? 4 : p.element == PARA ? 2 : 1;
    for (int k = 0; k < looks; ++k) {
      const double rotation = std::fmod(p.rotation + k * 360.0 / looks, 360);
      const SnapResult r = TrySnap(p.element, p.x, p.y, rotation, level.puzzleSet, targets);
      const int line = LineOf(src.pieces[i]);
      if (!r.snaps) {
        diag.Error(line, Name(p) + Printf(" at rotation %g would not snap onto its own place: "
                                          "%g of its small triangles find no target",
                                          rotation, r.unmatched));
      } else if (std::hypot(r.moveX, r.moveY) > MAX_SNAP_MOVE) {
        diag.Error(line, Name(p) + Printf(" at rotation %g would snap %.1f,%.1f px off its place",
                                          rotation, r.moveX, r.moveY));
      }
    }
  }
}

}  // namespace

void CheckLevel(const CompiledLevel& level, const SourceLevel& src, Diagnostics& diag) {
  CheckModes(level, src, diag);
  const size_t n = level.pieces.size();
  if (n < 1 || n > size_t(MAX_PIECES))
    diag.Error(src.line, "a level has 1 to 13 pieces, this one " + std::to_string(n));
  if (src.board) CheckBoard(*src.board, level.misc, int(n), diag);
  if (n == 0) return;
  const int row = level.puzzleSet + 1;
  CheckRotations(level, src, diag);
  CheckField(level, src, row, diag);
  CheckOverlaps(level, src, row, diag);
  CheckSnapping(level, src, diag);
}

void CheckDistinctSilhouettes(const std::vector<CompiledLevel>& levels,
                              const std::vector<SourceLevel>& sources, Diagnostics& diag) {
  std::vector<Silhouette> seen;
  for (const CompiledLevel& level : levels) seen.push_back(SampleSilhouette(level));
  for (size_t j = 1; j < seen.size(); ++j) {
    for (size_t i = 0; i < j; ++i) {
      if (seen[j].area == 0 || SilhouetteDifference(seen[i], seen[j]) >= SAME_SILHOUETTE) continue;
      diag.Error(sources[j].line, "level " + std::to_string(sources[j].number) +
                                      " shows the silhouette of level " + std::to_string(sources[i].number) +
                                      " (\"" + sources[i].title + "\"); every level needs a figure of its own");
      break;
    }
  }
}

}  // namespace levels
