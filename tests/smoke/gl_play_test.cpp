// The first level of every shipped set played through the game's frame loop on the
// windowed OpenGL back end (under Xvfb in the test script): the pieces are taken from the
// tray, turned and dropped, and the level is solved. With QV_SCREENSHOT_DIR set, a few
// frames of each game are written there for review.
#include "app/shell.h"
#include "game/game_scenario.h"
#include "levels/level_set.h"
#include "media/platform.h"

#include <cstdlib>

namespace {

class GlPlay : public GameScenario, public ::testing::WithParamInterface<std::string> {
protected:
  void Snap(Script& s, const std::string& what) {
    const char* dir = std::getenv("QV_SCREENSHOT_DIR");
    if (!dir) return;
    const std::string path = std::string(dir) + "/gl " + GetParam() + " " + what + ".png";
    s.Do([path] { SavePixmapPNG(GrabPixmap(0, 0, 640, 480), path); });
  }
};

}  // namespace

TEST_P(GlPlay, TheFirstLevelIsSolvedInTheWindow) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (the test script runs it under Xvfb)";
  SetFrameDriver(nullptr);
  SetBackend(Backend::Windowed);
  ASSERT_TRUE(Graphics(640, 480)) << "no OpenGL window";  // the loaded images follow
  LevelFilePath = "incbin::../data/" + GetParam() + ".lvl";
  TGame& g = StartGame();
  std::vector<TestPiece> pieces;
  for (const ShapePtr& p : LevelShapes[size_t(g.CurrentLevel)])
    pieces.push_back({p->Element, int(p->X), int(p->Y), p->Rotation});
  Script s;
  StartPlaying(s, g);
  Snap(s, "1 play");
  for (size_t i = 0; i < pieces.size(); ++i) {
    Place(s, pieces[i], 3, -2);
    if (i == pieces.size() / 2) Snap(s, "2 half");
  }
  s.Until([&] { return g.GameState == LEVEL_COMPLETE; }, 2, "the level to be solved");
  s.Wait(30);
  Snap(s, "3 solved");
  s.Stop();
  RunPlay(s);
  EXPECT_GT(g.LvlCompleteScore, 1000);
}

INSTANTIATE_TEST_SUITE_P(ShippedSets, GlPlay, ::testing::ValuesIn(ShippedSetNames()),
                         [](const ::testing::TestParamInfo<std::string>& p) {
                           std::string n = p.param;
                           std::replace(n.begin(), n.end(), ' ', '_');
                           return n;
                         });
