// The game's snapping decomposition, repeated here so that the level compiler can prove
// every shipped level solvable by snapping: each piece becomes half-small triangles
// (integer reference point, angle), and a dropped piece snaps when every one of its
// triangles finds a target triangle within 15 px on both axes with exactly its angle.
#pragma once

#include "levels_geometry.h"

#include <vector>

namespace levels {

struct SmallTri {
  int x = 0, y = 0;
  double r = 0;  // degrees, may be negative until normalised
};

// The three building routines; rho is the piece rotation, coordinates are truncated
// toward zero as the game does.
void AddHalfTriangles(int x, int y, double extra, double rho, std::vector<SmallTri>& list);
void AddMediumTriangle(int x, int y, double extra, double rho, std::vector<SmallTri>& list);
void AddLargeTriangle(int x, int y, double extra, double rho, std::vector<SmallTri>& list);

// All triangles of one piece; puzzleSet is the level's 0 or 1.
void AddPieceTriangles(const Placement& piece, int puzzleSet, std::vector<SmallTri>& list);

struct SnapResult {
  bool snaps = false;
  double moveX = 0, moveY = 0;  // the average offset the game would move the piece by
  int unmatched = 0;            // triangles with no target
};

// Drops a piece at (x, y) with the given rotation onto the target triangles.
SnapResult TrySnap(int element, double x, double y, double rotation, int puzzleSet,
                   const std::vector<SmallTri>& targets);

}  // namespace levels
