#include "played_level.h"

#include "app/shell.h"
#include "app/startup.h"
#include "game/game.h"
#include "game/shape.h"
#include "levels/level_set.h"
#include "levels/puzzle_set.h"
#include "media/input.h"
#include "media/resource_store.h"
#include "media/script.h"
#include "players/users.h"

#include <cmath>
#include <memory>

namespace {

constexpr int MESSAGE_OK_X = 363, MESSAGE_OK_Y = 365;  // the stage message's "Okay"

std::string FirstShippedSet() {
  std::string first;
  for (const std::string& name : ResourceNames())
    if (name.rfind("../data/", 0) == 0 && name.size() > 4 && name.compare(name.size() - 4, 4, ".lvl") == 0 &&
        (first.empty() || name < first))
      first = name;
  return "incbin::" + first;
}

// The resting tray piece of that kind (the top one), or null.
ShapePtr TrayPiece(int element) {
  for (auto it = ShapeList.rbegin(); it != ShapeList.rend(); ++it)
    if ((*it)->Pickable && (*it)->Element == element && (*it)->X >= TRAY_X && !(*it)->PickedUp) return *it;
  return nullptr;
}

void TakeAndPlace(Script& s, const Shape& place) {
  auto piece = std::make_shared<ShapePtr>();
  const int element = place.Element;
  s.Until([piece, element] { return bool(*piece = TrayPiece(element)); }, 240, "a tray piece");
  s.Do([piece] { InjectMouseMove(int((*piece)->X), int((*piece)->Y)); }).Wait(2);
  s.Press(MOUSE_LEFT).Wait(1).Release(MOUSE_LEFT).Wait(2);
  const int notches = int(std::lround(place.Rotation / 22.5f)) % 16;
  for (int i = 0; i < notches; ++i) s.Wheel(-1).Wait(1);
  s.Until([piece] { return (*piece)->RotateIt == 0; }, 300, "the turn");
  const int x = int(place.X), y = int(place.Y);
  s.Do([x, y] { InjectMouseMove(x, int(std::lround(y + FloatOffset))); }).Wait(1);
  s.Press(MOUSE_LEFT).Wait(1).Release(MOUSE_LEFT).Wait(2);
}

}  // namespace

int PlayFirstLevel() {
  InitLanguage("");
  InitModules();
  if (!StartMainProgram()) return 2;
  const UserPtr user = Users->GetCurrentUser();
  user->ProgressMap = user->Wisdoms = user->Tutorial = false;
  LoadGameGfx();
  LoadBackground(user->Selected_Background);
  LoadPuzzleSet(user->Selected_Puzzleset, true);
  LevelFilePath = FirstShippedSet();
  TGame game;
  game.InitLevel(true);
  const std::vector<ShapePtr> places = LevelShapes[size_t(game.CurrentLevel)];

  Script s;
  s.Until(
      [&game] {
        if (game.GameState == PLAY_GAME) return true;
        if (game.ShowFreezeMessage || game.ShowMeditation > 0 || game.ShowFlying || game.ShowTorch)
          InjectMouseMove(MESSAGE_OK_X, MESSAGE_OK_Y), InjectMouseButton(MOUSE_LEFT, FrameNumber() % 2 == 0);
        return false;
      },
      900, "play to start");
  for (const ShapePtr& place : places) TakeAndPlace(s, *place);
  s.Until([&game] { return game.GameState == LEVEL_COMPLETE; }, 600, "the level solved").Wait(240).Stop();
  s.Install();
  try {
    game.Play();
  } catch (const StopRun&) {
    return 0;
  } catch (const ScriptTimeout&) {
    return 1;
  }
  return 1;
}
