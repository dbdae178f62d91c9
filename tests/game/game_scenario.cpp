#include "game/game_scenario.h"

#include "app/shell.h"
#include "levels/level_set.h"
#include "media/input.h"
#include "players/data_folder.h"
#include "players/users.h"

#include <cmath>

namespace {

// The "Okay" of a stage message box and of the rank-up box.
constexpr int MESSAGE_OK_X = 363, MESSAGE_OK_Y = 365, RANK_OK_Y = 330;

bool MessagePending(const TGame& g) {
  return g.ShowNewRank || g.ShowFreezeMessage || g.ShowMeditation > 0 || g.ShowFlying || g.ShowTorch;
}

}  // namespace

ShapePtr TrayPieceOf(int element) {
  for (auto it = ShapeList.rbegin(); it != ShapeList.rend(); ++it) {
    const Shape& s = **it;
    if (s.Pickable && s.Element == element && s.X >= TRAY_X && !s.MoveDroppedTile && !s.PickedUp) return *it;
  }
  return nullptr;
}

void GameScenario::SetUp() {
  GameTest::SetUp();
  user = Users->GetCurrentUser();
  user->ProgressMap = user->Wisdoms = user->Tutorial = false;
  LevelFilePath.clear();
}

void GameScenario::TearDown() {
  game.reset();
  GameTest::TearDown();
}

std::string GameScenario::WriteSet(const std::string& name, const std::vector<TestLevel>& levels) {
  for (int i = 0; i < LEVEL_COUNT; ++i) {
    LevelProps[size_t(i)] = std::make_shared<TLevelProperties>();
    LevelShapes[size_t(i)].clear();
  }
  for (size_t i = 0; i < levels.size() && i < size_t(LEVEL_COUNT); ++i) {
    LevelProps[i]->GameTime = levels[i].gameTime;
    LevelProps[i]->MiscProperties = levels[i].modes;
    LevelProps[i]->PuzzleSet = levels[i].puzzleSet;
    for (const TestPiece& p : levels[i].pieces) {
      auto s = std::make_shared<Shape>();
      s->Element = p.element;
      s->X = float(p.x);
      s->Y = float(p.y);
      s->Rotation = p.rotation;
      s->R = s->G = s->B = 255;
      LevelShapes[i].push_back(s);
    }
  }
  const std::string path = DataFolder->GetPath() + name + ".lvl";
  EXPECT_TRUE(WriteLevelSet(path)) << path;
  LevelFilePath = path;
  return path;
}

TestLevel GameScenario::TwoPieces(int modes, int gameTime) {
  return TestLevel{gameTime, modes, {{3, 200, 200}, {2, 330, 350}}};
}

TGame& GameScenario::StartGame() {
  game = std::make_unique<TGame>();
  game->InitLevel(true);
  return *game;
}

bool GameScenario::RunPlay(Script& script) {
  script.Install();
  try {
    game->Play();
  } catch (const StopRun&) {
    return false;
  }
  return true;
}

void GameScenario::SetReached(int level) {
  for (const auto& m : user->MaxLevel)
    if (m->Name == LevelFilePath) {
      m->Level = level;
      return;
    }
  TUsers::AddMaxDataEx(user->Name, LevelFilePath, level);
}

void GameScenario::StartPlaying(Script& s, TGame& game) {
  auto pressed = std::make_shared<bool>(false);
  s.Until(
      [&game, pressed] {
        if (game.GameState == PLAY_GAME) return true;
        // Close the message boxes one by one, as a player would.
        if (*pressed) {
          InjectMouseButton(MOUSE_LEFT, false);
          *pressed = false;
        } else if (MessagePending(game)) {
          InjectMouseMove(MESSAGE_OK_X, game.ShowNewRank ? RANK_OK_Y : MESSAGE_OK_Y);
          InjectMouseButton(MOUSE_LEFT, true);
          *pressed = true;
        }
        return false;
      },
      600, "play to start");
}

void GameScenario::Place(Script& s, const TestPiece& p, int dx, int dy, bool carryOnly) {
  auto piece = std::make_shared<ShapePtr>();
  s.Until([p, piece] { return bool(*piece = TrayPieceOf(p.element)); }, 120, "a tray piece of kind " + std::to_string(p.element));
  s.Do([piece] { InjectMouseMove(int((*piece)->X), int((*piece)->Y)); });
  s.Wait(2);
  s.Press(MOUSE_LEFT).Wait(1).Release(MOUSE_LEFT);
  s.Until([piece] { return (*piece)->PickedUp != 0; }, 5, "the piece in the hand");
  // The shorter way round; a wheel notch up turns 22.5° anticlockwise.
  int steps = int(std::lround(p.rotation / 22.5f)) % 16;
  const int notch = steps > 8 ? 1 : -1;
  if (steps > 8) steps = 16 - steps;
  for (int i = 0; i < steps; ++i) s.Wheel(notch).Wait(1);
  s.Until([piece] { return (*piece)->RotateIt == 0; }, 200, "the turn");
  // Over the place as it is drawn now (floating pieces and silhouette bob together).
  s.Do([p, dx, dy] { InjectMouseMove(p.x + dx, int(std::lround(p.y + dy + FloatOffset))); }).Wait(1);
  if (!carryOnly) s.Press(MOUSE_LEFT).Wait(1).Release(MOUSE_LEFT).Wait(1);
}

void GameScenario::PlaceAll(Script& s, const std::vector<TestPiece>& pieces) {
  for (const TestPiece& p : pieces) Place(s, p, 3, -2);
}

void GameScenario::WaitState(Script& s, TGame& game, int state, int maxFrames) {
  s.Until([&game, state] { return game.GameState == state; }, maxFrames, "game state " + std::to_string(state));
}

void GameScenario::WaitTallyDone(Script& s, TGame& game, int maxFrames) {
  // Every row has been shown well before the step count passes 1100.
  s.Until([&game] { return game.lcs_action == 1 && game.lcs_step > 1100; }, maxFrames, "the whole tally");
  s.Click(320, 240);
  s.Until([&game] { return game.GameState != LEVEL_COMPLETE && game.GameState != LEVEL_COMPLETE_FADEOUT; }, 200,
          "the scroll to close");
}
