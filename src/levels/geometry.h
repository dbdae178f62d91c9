// Piece geometry for snapping: every piece and every silhouette is decomposed into equal
// right isosceles triangles (two per small triangle), each recorded by a reference point
// and an orientation. A piece snaps where its records meet the silhouette's records.
#pragma once

#include <vector>

struct SmallTri {
  int x = 0;
  int y = 0;
  float r = 0;  // degrees; may be negative until the user normalises it
};
using SmallTriList = std::vector<SmallTri>;

// The records of the level's silhouette, and scratch space for the piece being put down.
extern SmallTriList TargetTris;
extern SmallTriList PieceTris;

// These read the media layer's current rotation as the piece rotation; every coordinate
// passed on is truncated toward zero.
void AddHalfTriangles(int x, int y, float extraAngle, SmallTriList& list);  // 2 records
void AddMediumTriangle(int x, int y, float extraAngle, SmallTriList& list);  // 4 records
void AddLargeTriangle(int x, int y, float extraAngle, SmallTriList& list);   // 8 records
// The records of one piece of kind element centred at (x, y); puzzleSet chooses the
// parallelogram's slant.
void AddPieceTriangles(int element, int x, int y, int puzzleSet, SmallTriList& list);
