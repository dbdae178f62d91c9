#include "levels_art.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace levels {

namespace {

bool IsName(char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; }
bool IsNameOrFree(char c) { return c == '.' || IsName(c); }

bool IsCellToken(const std::string& t) {
  if (t.size() == 1) return IsNameOrFree(t[0]);
  return t.size() == 3 && (t[1] == '/' || t[1] == '\\') && IsNameOrFree(t[0]) &&
         IsNameOrFree(t[2]);
}

}  // namespace

bool ArtBlock::IsArtRow(const std::vector<std::string>& tokens) {
  if (tokens.empty()) return false;
  for (const std::string& t : tokens)
    if (!IsCellToken(t)) return false;
  return true;
}

void ArtBlock::AddHalf(char name, const Triangle& half, int line) {
  if (name == '.') return;
  for (Letter& l : letters_) {
    if (l.name == name) {
      l.halves.push_back(half);
      return;
    }
  }
  letters_.push_back({name, line, {half}});
}

void ArtBlock::AddRow(const std::vector<std::string>& tokens, int line) {
  for (size_t i = 0; i < tokens.size(); ++i) {
    const Vec tl = origin_ + Vec{double(i) * cell_, double(rows_) * cell_};
    const Vec tr = tl + Vec{cell_, 0}, bl = tl + Vec{0, cell_}, br = tl + Vec{cell_, cell_};
    const std::string& t = tokens[i];
    if (t.size() == 1) {
      AddHalf(t[0], {tl, tr, bl}, line);
      AddHalf(t[0], {tr, br, bl}, line);
    } else if (t[1] == '/') {  // left of "/" is the upper-left half
      AddHalf(t[0], {tl, tr, bl}, line);
      AddHalf(t[2], {tr, br, bl}, line);
    } else {  // left of "\" is the lower-left half
      AddHalf(t[0], {tl, bl, br}, line);
      AddHalf(t[2], {tl, tr, br}, line);
    }
  }
  ++rows_;
}

void ArtBlock::Finish(Diagnostics& diag, std::vector<SourcePiece>& out) const {
  const double halfArea = cell_ * cell_ / 2;
  for (const Letter& l : letters_) {
    std::vector<Vec> points;
    for (const Triangle& t : l.halves) points.insert(points.end(), t.begin(), t.end());
    const std::vector<Vec> hull = ConvexHull(points);
    const double covered = double(l.halves.size()) * halfArea;
    const double spanned = PolygonArea(hull);
    if (std::fabs(covered - spanned) > 1.0) {
      char buf[200];
      std::snprintf(buf, sizeof buf,
                    "piece '%c' is not one convex piece: its cells cover %.0f px² but their "
                    "outline spans %.0f px²", l.name, covered, spanned);
      diag.Error(l.line, buf);
      continue;
    }
    std::string why;
    const auto fit = FitPiece(hull, why);
    if (!fit) {
      diag.Error(l.line, std::string("piece '") + l.name + "': " + why);
      continue;
    }
    out.push_back({fit->placement, fit->row, l.line, 0});
  }
}

}  // namespace levels
