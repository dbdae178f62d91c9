// Every shipped level, played through the real piece code: each solution piece is taken
// from the tray, turned with the wheel, dropped a few pixels off its place, and must snap;
// once all are placed, fewer than 340 silhouette pixels may show.
#include "app/shell.h"
#include "game/shape.h"
#include "levels/geometry.h"
#include "levels/level_set.h"
#include "levels/puzzle_set.h"
#include "media/input.h"
#include "media/resource_store.h"
#include "support/game_env.h"

#include <cmath>
#include <set>

namespace {

constexpr int SOLVE_TOLERANCE = 340;

class ShippedLevels : public GameTest, public ::testing::WithParamInterface<std::string> {
protected:
  // One frame of the pieces. Only the frame to be judged is drawn: the others clip all
  // drawing away (picking works on the collision layer, not on pixels).
  static void Frame(int row, bool judged = false) {
    PollInput();
    if (judged) {
      DrawImage(Background, 0, 0);
    } else {
      SetViewport(0, 0, 0, 0);
    }
    Shape::UpdateAllElements(PLAY_GAME, row, false, false, false, false);
    SetViewport(0, 0, 640, 480);
  }

  // The level as the game builds it: black fixed silhouette pieces, then the tray.
  static void BuildLevel(int level) {
    Shape::ClearAllElements();
    TargetTris.clear();
    const int row = LevelProps[size_t(level)]->PuzzleSet;
    int perKind[5] = {};
    for (const ShapePtr& p : LevelShapes[size_t(level)]) {
      Shape::CreateNewShape(p->Element, p->X, p->Y, p->Rotation, 0, 0, 0, false, 0, 0);
      SetRotation(p->Rotation);
      AddPieceTriangles(p->Element, int(p->X), int(p->Y), row, TargetTris);
      SetRotation(0);
    }
    for (const ShapePtr& p : LevelShapes[size_t(level)]) {
      const int k = perKind[p->Element]++;
      Shape::CreateNewShape(p->Element, TRAY_X + 5.0f * float(k), float(TrayRow(p->Element)), 0, 255, 255, 255, true,
                            0, 0);
    }
  }

  static ShapePtr TrayPieceOf(int element) {
    for (auto it = ShapeList.rbegin(); it != ShapeList.rend(); ++it)
      if ((*it)->Pickable && (*it)->Element == element && (*it)->X >= TRAY_X) return *it;
    return nullptr;
  }

  // Picks the kind's top tray piece, turns it to the rotation and drops it off by (dx, dy).
  static ShapePtr Place(const Shape& target, int row, int dx, int dy) {
    const ShapePtr piece = TrayPieceOf(target.Element);
    if (!piece) return nullptr;
    InjectMouseMove(int(piece->X), int(piece->Y));
    Frame(row);
    InjectMouseButton(MOUSE_LEFT, true);
    InjectMouseButton(MOUSE_LEFT, false);
    Frame(row);
    if (!piece->PickedUp) return nullptr;
    // The shorter way round: the wheel turns 22.5° a notch (down clockwise).
    int steps = int(std::lround(target.Rotation / 22.5)) % 16;
    const int notch = steps > 8 ? 1 : -1;
    if (steps > 8) steps = 16 - steps;
    for (int i = 0; i < steps; ++i) {
      InjectWheel(notch);
      Frame(row);
    }
    for (int i = 0; i < 4 * steps + 2; ++i) Frame(row);
    InjectMouseMove(int(target.X) + dx, int(target.Y) + dy);
    Frame(row);
    InjectMouseButton(MOUSE_LEFT, true);
    InjectMouseButton(MOUSE_LEFT, false);
    Frame(row);
    return piece;
  }
};

}  // namespace

TEST_P(ShippedLevels, EveryLevelIsWellFormedAndSolvableByTheRealPieces) {
  const std::string locator = "incbin::../data/" + GetParam() + ".lvl";
  ASSERT_TRUE(FindResource(locator.substr(8))) << locator;
  ReadLevelSet(locator);
  for (int level = 0; level < LEVEL_COUNT; ++level) {
    SCOPED_TRACE(GetParam() + " level " + std::to_string(level + 1));
    const std::vector<ShapePtr>& pieces = LevelShapes[size_t(level)];
    ASSERT_GE(pieces.size(), 1u);
    ASSERT_LE(pieces.size(), 13u);
    const int row = LevelProps[size_t(level)]->PuzzleSet;
    ASSERT_TRUE(row == 0 || row == 1);
    ASSERT_TRUE(LevelPlayable(level));  // the game skips no shipped level
    std::set<bool> families;
    for (const ShapePtr& p : pieces) {
      const double steps = p->Rotation / 22.5;
      ASSERT_EQ(steps, std::floor(steps)) << "rotation " << p->Rotation;
      ASSERT_TRUE(p->Rotation >= 0 && p->Rotation < 360);
      families.insert(int(steps) % 2 == 1);
      ASSERT_GE(p->X, 90);
      ASSERT_GE(p->Y, 90);
      ASSERT_EQ(p->R, 255);
    }
    ASSERT_EQ(families.size(), 1u) << "one rotation family per level";

    BuildLevel(level);
    Frame(row, true);
    ASSERT_GE(CountSilhouettePixels(GrabPlayField()), SOLVE_TOLERANCE) << "a silhouette to cover";
    for (const ShapePtr& target : pieces) {
      const ShapePtr placed = Place(*target, row, 4, -3);
      ASSERT_TRUE(placed) << "could not take a piece of kind " << target->Element;
      EXPECT_NEAR(placed->X, target->X, 2.5) << "kind " << target->Element << " did not snap";
      EXPECT_NEAR(placed->Y, target->Y, 2.5) << "kind " << target->Element << " did not snap";
    }
    Frame(row, true);
    const int uncovered = CountSilhouettePixels(GrabPlayField());
    EXPECT_LT(uncovered, SOLVE_TOLERANCE);
    if (uncovered >= SOLVE_TOLERANCE)
      SavePixmapPNG(GrabPixmap(0, 0, 640, 480), GetParam() + " " + std::to_string(level + 1) + ".png");
  }
}

std::string SetTestName(const ::testing::TestParamInfo<std::string>& info) {
  std::string n = info.param;
  for (char& c : n)
    if (c == ' ') c = '_';
  return n;
}

INSTANTIATE_TEST_SUITE_P(AllSets, ShippedLevels, ::testing::ValuesIn(ShippedSetNames()), SetTestName);
