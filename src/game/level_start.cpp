// Preparing a level: progress, the map, tutorial and wisdom screens, the silhouette and
// the tray, the clock, the rank-up and the stage-mode messages, the bonus stage.
#include "app/shell.h"
#include "bonus/bonus_game.h"
#include "game/game.h"
#include "game/progress_map.h"
#include "levels/geometry.h"
#include "levels/level_set.h"
#include "media/debug.h"
#include "media/graphics.h"
#include "media/random.h"
#include "players/ranks.h"
#include "players/users.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "present/pointer.h"
#include "present/sound.h"
#include "ui/tutorial.h"
#include "ui/widgets.h"
#include "ui/wisdom_screen.h"

#include <algorithm>
#include <array>

namespace {

// Fades in from black, waits for a click, fades out.
void ShowWisdomScreen() {
  Wisdomscreen screen;
  PlaySfx(SFX_GONG);
  float f = 1.0f;
  while (true) {
    Cls();
    PollInput();
    SetAlpha(1);
    screen.Render();
    SetAlpha(1);
    if (MousePointer) MousePointer->Draw();
    SetColor(0, 0, 0);
    if ((ClickLatch[0] || ClickLatch[1]) && f > -1) f = -1;
    if (f >= 0) f -= 0.05f;
    if (f > -1) SetAlpha(f);
    if (f <= -1) {
      f -= 0.05f;
      SetAlpha(-1 - f);
    }
    if (f < -2) break;
    DrawRect(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
    SetColor(255, 255, 255);
    SetAlpha(1);
    ShowFrame(-1);
  }
  SetColor(255, 255, 255);
  SetAlpha(1);
}

// The first playable level from reached on, else the last one before it, else fallback.
int PlayableAtOrBefore(int reached, int fallback) {
  const int next = NextPlayableLevel(reached);
  if (next < LEVEL_COUNT) return next;
  for (int level = std::min(reached, LEVEL_COUNT) - 1; level > fallback; --level)
    if (LevelPlayable(level)) return level;
  return fallback;
}

std::shared_ptr<TMaxLevel> ProgressEntry(TUser& user) {
  for (const auto& m : user.MaxLevel)
    if (m->Name == LevelFilePath) return m;
  return nullptr;
}

}  // namespace

int TGame::InitLevel(bool first) {
  const bool fromStart = first && CurrentLevel == 0;
  // Unused and damaged levels are skipped; a set with nothing left to play is not played
  // (and never counted as progress).
  CurrentLevel = NextPlayableLevel(CurrentLevel);
  if (CurrentLevel >= LEVEL_COUNT) {
    DebugLog("No playable level left in " + LevelFilePath);
    QuitGame = true;
    return 0;
  }
  StopSfx(SFX_RAINLOOP);
  StopSfx(SFX_WINDLOOP);

  FilledArea = -1;
  PrepareCheck = playLampInitAnim = ShowNewRank = ShowTorch = ShowFreezeMessage = ShowFlying = false;
  ShowMeditation = 0;
  ShowBonusGame = 0;
  DebugLog("-------- INIT_LEVEL");
  LampX = LampY = 0;
  LvlCompleteScore = 0;
  lcs_frame = 0;
  lcs_action = 0;
  lcs_step = 0;
  lcs_alpha = 0;
  lcs_offset = 160;
  lcs_acc = 1;
  HintAllowed = true;

  DebugLog("MaxLevelLoop");
  // A test play from the editor is no progress in the set.
  if (!EditorIsOn && !ProgressEntry(*User)) TUsers::AddMaxDataEx(User->Name, LevelFilePath, 0);
  DebugLog("MaxLevelLoop2");
  if (auto entry = EditorIsOn ? nullptr : ProgressEntry(*User)) {
    // Starting a set continues at the furthest level reached, or at the last playable one
    // before it (a completed set, a set changed since).
    if (fromStart) CurrentLevel = PlayableAtOrBefore(std::max(entry->Level, CurrentLevel), CurrentLevel);
    if (CurrentLevel > entry->Level) entry->Level = CurrentLevel;
  }
  DebugLog("SaveUser");
  Users->SaveInBackground();

  DebugLog("ProgMap");
  if (User->ProgressMap) {
    bool progressMap = User->ProgressMap;
    ShowProgressMap(CurrentLevel, progressMap, QuitGame);
    User->ProgressMap = progressMap;
    if (QuitGame) return 0;
  }
  DebugLog("TDisplay");
  if (CurrentLevel == 0 && User->Tutorial && first) Tutorial().Display();
  DebugLog("Wisdoms");
  if (User->Wisdoms) ShowWisdomScreen();

  DebugLog("ClearAllElements");
  Shape::ClearAllElements();
  TargetTris.clear();
  const TLevelProperties& props = *LevelProps[size_t(CurrentLevel)];
  const std::vector<ShapePtr>& pieces = LevelShapes[size_t(CurrentLevel)];
  for (const ShapePtr& p : pieces) {
    Shape::CreateNewShape(p->Element, p->X, p->Y, p->Rotation, 0, 0, 0, false, 0, 0);
    SetRotation(p->Rotation);
    AddPieceTriangles(p->Element, int(p->X), int(p->Y), props.PuzzleSet, TargetTris);
    SetRotation(0);
  }
  std::array<int, 5> perKind{};
  for (const ShapePtr& p : pieces) {
    const int k = p->Element >= 0 && p->Element < 5 ? perKind[size_t(p->Element)]++ : 0;
    Shape::CreateNewShape(p->Element, TRAY_X + 5.0f * float(k), float(TrayRow(p->Element)), 0, p->R, p->G, p->B, true,
                          0, 0);
  }

  DebugLog("GameTime");
  GameTime = props.GameTime;
  TimeOff = GameTime <= 0;
  CurrTime = GameTime;
  ShowHurry = false;
  ReplayLevel->ButtonPressStr = "";

  DebugLog("1");
  // The rank before the update, read first: the operands of < have no fixed order.
  const int previousRank = GetRank(*User);
  if (previousRank < UpdateRank(*User)) {
    ShowNewRank = true;
    Users->SaveInBackground();
    NextSong(*User);
    NextPuzzleSet(*User);
    NextBackground(*User);
    DebugLog("New Rank achieved: Set Variable --> ShowNewRank = True");
  } else if (GetRank(*User) >= 5 && CurrentLevel % 5 == 0) {
    // Variety at the top rank.
    NextSong(*User);
    NextPuzzleSet(*User);
    NextBackground(*User);
  }
  OldScore = User->Score;

  DebugLog("2");
  if (props.MiscProperties & LP_ENLIGHTENMENT) ShowMeditation = 1;
  if (props.MiscProperties & LP_MEDITATION) ShowMeditation = 2;
  DebugLog("3");
  if (props.MiscProperties & LP_FREEZE) ShowFreezeMessage = true;
  DebugLog("4");
  if (props.MiscProperties & LP_FLOATING_TILES) ShowFlying = true;
  DebugLog("5");
  if (props.MiscProperties & LP_TORCH) ShowTorch = true;
  DebugLog("6");
  if (props.MiscProperties & LP_PLAY_FOR_TILES) SetupBonusStage();

  if (User->Selected_Background == 0) PlaySfx(SFX_WINDLOOP);
  if (User->Selected_Background == 2) PlaySfx(SFX_RAINLOOP);
  DebugLog("Twister");
  Twister_InitTime = std::max(12, GameTime / 5);
  Twister_Time = GameTime - Twister_InitTime;
  Show_Twister = false;
  DebugLog("EndINIT");
  return 0;
}

void TGame::SetupBonusStage() {
  const TLevelProperties& props = *LevelProps[size_t(CurrentLevel)];
  // Each hidden piece needs a cell of its own; a level with more pieces than the board has
  // cells (a damaged or foreign file) is played as a plain puzzle.
  const auto hidden = std::count_if(ShapeList.begin(), ShapeList.end(), [](const ShapePtr& s) { return s->Pickable; });
  if (hidden > BOARD_W * BOARD_H) {
    DebugLog("Play for tiles: " + std::to_string(hidden) + " pieces do not fit the board; no bonus stage");
    return;
  }
  GameTime = 180;
  ShowBonusGameTutorial = !User->BonusGameTutorialAlreadyShowed;
  User->BonusGameTutorialAlreadyShowed = true;
  ShowBonusGame = 1;
  BGame = std::make_shared<BonusGame>();
  BGame->LevelData = props.BonusLevelData;
  BGame->PuzzleTileData = props.PuzzleTileData;
  BGame->AllowJokers = (props.MiscProperties & LP_JOKER) != 0;
  BGame->AllowBombs = (props.MiscProperties & LP_BOMBS) != 0;
  BGame->SetNextTile();
  static const int SHOT_TIME[5] = {20000, 15000, 10000, 6000, 3000};
  BGame->GameTime = props.BonusTime >= 0 && props.BonusTime < 5 ? SHOT_TIME[props.BonusTime] : 0;
  BGame->GameOver = 0;

  // The tray stays empty until the pieces are won.
  TempGameElements.clear();
  for (auto it = ShapeList.begin(); it != ShapeList.end();) {
    if ((*it)->Pickable) {
      TempGameElements.push_back(*it);
      it = ShapeList.erase(it);
    } else {
      ++it;
    }
  }
  DebugLog("8");
  int marked = 0;
  for (const auto& column : props.PuzzleTileData)
    for (int cell : column) marked += cell == 0;
  // One marked tile per piece to win; a board without enough tiles gets cells forced
  // (never one already marked: that would leave a piece that can never be won).
  int n = int(TempGameElements.size()) - marked;
  for (int attempts = 1; n > 0; ++attempts) {
    const int x = RandomInt(0, BOARD_W - 1);
    const int y = RandomInt(0, BOARD_H - 1);
    if (attempts > 5000) {
      if (BGame->PuzzleTileData[size_t(x)][size_t(y)] == 0) continue;
      BGame->LevelData[size_t(x)][size_t(y)] = RandomInt(1, 4);
      BGame->PuzzleTileData[size_t(x)][size_t(y)] = 0;
      n -= 1;
    } else if (BGame->PuzzleTileData[size_t(x)][size_t(y)] == -1 && BGame->LevelData[size_t(x)][size_t(y)] > -1) {
      BGame->PuzzleTileData[size_t(x)][size_t(y)] = 0;
      n -= 1;
    }
  }
  DebugLog("9");
  BGame->AddLevelObject = 0;
  BGame->MaxElementSize = props.BonusLevelDifficulty;
  BGame->SetNextTile();
}

void TGame::RenderRankMessage() {
  DrawImage(MessageBox, 130, 120);
  if (FontHeadline) FontHeadline->Draw(Text("Congratulations!"), 360, 185, true);
  const std::string rank = RankNames[size_t(std::clamp(UpdateRank(*User), 0, 5))];
  if (FontMain)
    FontMain->Draw(Language->GetString("You reached a new rank!\nYour new rank is: $rank", {"rank", rank}), 360, 235, true);
  if (ImageButton(Text("Okay"), 363, 330, false)) ShowNewRank = false;
}

bool TGame::RenderLevelMessage(const std::string& title, const std::string& text) {
  SetScale(1.0f, 1.3f);
  DrawImage(MessageBox, 130, 85);
  SetScale(1, 1);
  if (FontHeadline) FontHeadline->Draw(title, 360, 167, true);
  if (FontMain) FontMain->Draw(text, 360, 212, true);
  return ImageButton(Text("Okay"), 363, 365, false);
}
