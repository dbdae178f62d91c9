#include "levels_compile.h"

#include "levels_check.h"

#include <cmath>
#include <fstream>
#include <sstream>

namespace levels {

namespace {

int PieceLine(const SourcePiece& p) { return p.useLine ? p.useLine : p.line; }

// The level's parallelogram row: declared, or the one its parallelograms show, or 1.
int ResolveRow(const SourceLevel& level, Diagnostics& diag) {
  int row = level.row;
  for (const SourcePiece& p : level.pieces) {
    if (p.placement.element != PARA || p.row == 0) continue;
    if (row == 0) row = p.row;
    if (p.row != row)
      diag.Error(PieceLine(p), "this parallelogram is row " + std::to_string(p.row) +
                                   " but the level's row is " + std::to_string(row) +
                                   ": one slant per level");
  }
  return row == 0 ? 1 : row;
}

struct Box {
  Vec min{1e18, 1e18}, max{-1e18, -1e18};
  void Add(Vec v) {
    min = {std::min(min.x, v.x), std::min(min.y, v.y)};
    max = {std::max(max.x, v.x), std::max(max.y, v.y)};
  }
  Vec Centre() const { return (min + max) * 0.5; }
};

Box Bounds(const std::vector<Placement>& pieces, int row) {
  Box box;
  for (const Placement& p : pieces)
    for (Vec v : PiecePolygon(p, row)) box.Add(v);
  return box;
}

CompiledLevel CompileLevel(const SourceLevel& src, Diagnostics& diag) {
  CompiledLevel level;
  level.title = src.title;
  level.gameTime = std::max(0, src.time);
  level.misc = src.modes;
  level.board = src.board;
  if (src.time < 0) diag.Error(src.line, "missing \"time <seconds>\"");
  const int row = ResolveRow(src, diag);
  level.puzzleSet = row - 1;
  if (src.pieces.empty()) return level;

  std::vector<Placement> pieces;
  for (const SourcePiece& p : src.pieces) pieces.push_back(p.placement);
  if (src.turn != 0) {
    const Vec pivot = Bounds(pieces, row).Centre();
    for (Placement& p : pieces) {
      const Vec c = pivot + Rotate(Vec{p.x, p.y} - pivot, src.turn);
      p = {p.element, c.x, c.y, CanonicalRotation(p.element, p.rotation + src.turn)};
    }
  }
  const Vec field{(FIELD_LEFT + FIELD_RIGHT) / 2, (FIELD_TOP + FIELD_BOTTOM) / 2};
  const Vec target = src.centre.value_or(field);
  const Vec centre = Bounds(pieces, row).Centre();
  const Vec shift{std::round(target.x - centre.x), std::round(target.y - centre.y)};
  for (Placement& p : pieces) {
    level.exact.push_back({p.element, p.x + shift.x, p.y + shift.y, p.rotation});
    // Centres on whole pixels: a piece snaps to a whole-pixel position (the snap works on
    // truncated coordinates), so only then does it cover its silhouette exactly; the
    // half-pixel seams this leaves between neighbours show background, not black.
    // Stored as floats: every later check sees exactly what the game reads.
    p.x = float(std::round(p.x + shift.x));
    p.y = float(std::round(p.y + shift.y));
    p.rotation = float(p.rotation);
    level.pieces.push_back(p);
  }
  return level;
}

}  // namespace

CompiledSet CompileLevelSet(const SourceSet& source) {
  Diagnostics diag(source.file);
  CompiledSet set;
  set.name = source.name;
  for (const SourceLevel& src : source.levels) {
    set.levels.push_back(CompileLevel(src, diag));
    CheckLevel(set.levels.back(), src, diag);
  }
  CheckDistinctSilhouettes(set.levels, source.levels, diag);
  if (set.levels.size() != LEVELS_PER_SET)
    diag.Error(source.levels.empty() ? 1 : source.levels.back().line,
               "a level set has exactly 50 levels, this one " + std::to_string(set.levels.size()));
  diag.ThrowIfAny();
  return set;
}

CompiledSet CompileLevelFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw LevelError(path + ": cannot read");
  std::stringstream text;
  text << in.rdbuf();
  return CompileLevelSet(ParseLevelSource(text.str(), path));
}

}  // namespace levels
