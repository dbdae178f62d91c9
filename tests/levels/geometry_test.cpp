#include "levels/geometry.h"
#include "levels/puzzle_set.h"
#include "media/resource_store.h"
#include "support/headless.h"

#include <cmath>

namespace {

SmallTriList Decompose(int element, int x, int y, float rotation, int puzzleSet = 0) {
  SmallTriList list;
  SetRotation(rotation);
  AddPieceTriangles(element, x, y, puzzleSet, list);
  SetRotation(0);
  return list;
}

float Normalised(float a) {
  while (a < 0) a += 360;
  return std::fmod(a, 360.0f);
}

}  // namespace

TEST(Geometry, SmallTriangleTruncatesAndKeepsTheNegativeAngle) {
  const SmallTriList t = Decompose(2, 100, 100, 0);
  ASSERT_EQ(t.size(), 2u);
  EXPECT_EQ(t[0].x, 90);
  EXPECT_EQ(t[0].y, 109);
  EXPECT_EQ(t[0].r, 135);
  EXPECT_EQ(t[1].x, 109);
  EXPECT_EQ(t[1].y, 109);
  EXPECT_EQ(t[1].r, -135);
}

TEST(Geometry, RecordCountsPerKind) {
  EXPECT_EQ(Decompose(0, 200, 200, 45).size(), 8u);
  EXPECT_EQ(Decompose(1, 200, 200, 45).size(), 4u);
  EXPECT_EQ(Decompose(2, 200, 200, 45).size(), 2u);
  EXPECT_EQ(Decompose(3, 200, 200, 45).size(), 4u);
  EXPECT_EQ(Decompose(4, 200, 200, 45).size(), 4u);
  EXPECT_EQ(Decompose(7, 200, 200, 45).size(), 0u);
}

// The classic square: a medium triangle lies exactly where two small triangles would, so
// both decompose to matching records (same angles, positions within a few pixels).
TEST(Geometry, MediumTriangleMatchesTwoSmallTriangles) {
  // The medium triangle split along its altitude: two smalls turned 135° and 225°,
  // centred 15.2 px left/right of and below its centre.
  const SmallTriList medium = Decompose(1, 300, 300, 0);
  SmallTriList smalls = Decompose(2, 285, 315, 135);
  for (const SmallTri& t : Decompose(2, 315, 315, 225)) smalls.push_back(t);
  ASSERT_EQ(medium.size(), 4u);
  for (const SmallTri& m : medium) {
    bool found = false;
    for (const SmallTri& s : smalls)
      found |= std::abs(m.x - s.x) < 15 && std::abs(m.y - s.y) < 15 && Normalised(m.r) == Normalised(s.r);
    EXPECT_TRUE(found) << m.x << "," << m.y << " " << m.r;
  }
}

TEST(Geometry, MirroredParallelogramSwapsItsHalves) {
  const SmallTriList a = Decompose(4, 200, 200, 0, 0);
  const SmallTriList b = Decompose(4, 200, 200, 0, 1);
  ASSERT_EQ(a.size(), 4u);
  EXPECT_EQ(a[0].x, 180 - 10);  // left half first for the "/" slant
  EXPECT_EQ(b[0].x, 220 - 10);
  EXPECT_EQ(a[0].r, b[0].r);
}

namespace {

class PuzzleSet : public HeadlessTest {};

}  // namespace

TEST_F(PuzzleSet, RowOneSharesAllButTheParallelogram) {
  for (const char* set : {"set_1", "set_gold"})
    for (int row = 1; row <= 2; ++row)
      for (int e = 1; e <= 5; ++e) {
        if (row == 2 && e < 5) continue;
        const std::string name = std::string("../gfx/") + set + "/puzzleset" + std::to_string(row) + "/fig0" +
                                 std::to_string(e) + ".png";
        ImagePtr img = MakeImage("src" + name.substr(3), 4, 2, [](int, int) { return 0xFFFFFFFFu; });
        ASSERT_TRUE(img);
        RegisterResource(name, ResourceBytes("../test/src" + name.substr(3)),
                         ResourceLength("../test/src" + name.substr(3)));
      }
  LoadPuzzleSet(1, false);
  for (int e = 0; e < 4; ++e) {
    ASSERT_TRUE(PieceImages[0][size_t(e)]);
    EXPECT_EQ(PieceImages[1][size_t(e)], PieceImages[0][size_t(e)]);
    EXPECT_NE(PieceGoldImages[1][size_t(e)], PieceGoldImages[0][size_t(e)]);  // loaded twice
  }
  ASSERT_TRUE(PieceImages[0][4] && PieceImages[1][4]);
  EXPECT_NE(PieceImages[1][4], PieceImages[0][4]);
  EXPECT_EQ(PieceImages[0][0]->handle_x, 2);  // centred handles
  EXPECT_TRUE(AutoMidHandleEnabled());
  EXPECT_EQ(PieceShadowImages[0][0], nullptr);  // not asked for
}
