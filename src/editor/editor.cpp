// The editor's visit: loading, the frame loop, switching and saving levels, test plays.
#include "editor/editor.h"

#include "app/shell.h"
#include "editor/editor_dialogs.h"
#include "game/game.h"
#include "levels/geometry.h"
#include "levels/level_set.h"
#include "media/debug.h"
#include "media/graphics.h"
#include "media/input.h"
#include "players/users.h"
#include "present/language.h"
#include "present/pointer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float BOARD_EDGE = 455;
// Positions a piece of a damaged file may have and still be edited; beyond them it is lost.
constexpr float FAR_AWAY = 10000;

bool Editable(const Shape& s) {
  return s.Element >= 0 && s.Element <= 4 && std::isfinite(s.X) && std::isfinite(s.Y) &&
         std::isfinite(s.Rotation) && std::abs(s.X) < FAR_AWAY && std::abs(s.Y) < FAR_AWAY;
}

}  // namespace

const char* const TEd::BALLOON_KEYS[5] = {
    "To create your own levels,\nchoose a base element on the right side and\nmove it to the play field.",
    "Using the keys A, S, SPACE,\nthe right mouse button or the mouse wheel\nyou can rotate the selected tile.\n\nUse "
    "the cursor keys\nto move the tile pixel wise.",
    "You can place as much tiles\nas you want on the play field\nto create your own puzzles.\nYou are able to remove "
    "tiles\nby selecting them and\nmove them back on the stack.",
    "Use this slider,\nto set the time of a level.",
    "Click here to change the level.\nEach levelset can consist\nof up to 50 different puzzles.",
};

TEd::TEd() {
  ColPic = CreateImage(1, 1, 1, 0);
  if (ColPic) {
    ColPic->Pixmaps()[0]->WritePixel(0, 0, 0xFFFFFFFF);
    ColPic->PixelsChanged(0);
    SetImageHandle(ColPic, 0, 0);
  }
  DebugLog("Load level..." + LevelFilePath);
  ReadLevelSet(LevelFilePath);
  DebugLog("START EDITOR");
  Shape::ClearAllElements();

  AutoMidHandle(false);
  BonusGameBG = LoadImage("incbin::../gfx/bonusgame/bg.png");
  Slider = LoadImage("incbin::../gfx/slider.png");
  BalloonImg = LoadImage("incbin::../gfx/balloons/ed001.png");
  for (size_t i = 0; i < BalloonsTxt.size(); ++i) BalloonsTxt[i] = Text(BALLOON_KEYS[i]);
  Fahne = LoadImage("incbin::../gfx/editor/fahne.png");
  AutoMidHandle(true);
  BonusTiles = LoadAnimImage("incbin::../gfx/bonusgame/tiles.png", 40, 40, 0, 160);
  Regler = LoadImage("incbin::../gfx/regler.png");
  Icons = LoadAnimImage("incbin::../gfx/editor/icons.png", 50, 50, 0, 18);
  AutoMidHandle(false);
  DebugLog("END TED NEW CONSTRUCTOR");
}

TEd::~TEd() {
  SaveBeforeClose = nullptr;
  Shape::ClearAllElements();
  TargetTris.clear();
}

TLevelProperties& TEd::Level() const { return *LevelProps[size_t(std::clamp(CurrentLevel, 0, LEVEL_COUNT - 1))]; }

int TEd::Row() const { return Level().PuzzleSet == 1 ? 1 : 0; }

void TEd::SaveToMem() {
  std::vector<ShapePtr>& stored = LevelShapes[size_t(CurrentLevel)];
  stored.clear();
  // A piece in the hand off the board is not part of the level: putting it down there
  // would delete it.
  for (const ShapePtr& s : ShapeList)
    if (!s->PickedUp || (s->X >= 0 && s->X < BOARD_EDGE)) stored.push_back(s);
}

void TEd::LoadFromMem() {
  Shape::ClearAllElements();
  HeldShape = nullptr;
  PieceDragged = false;
  for (const ShapePtr& s : LevelShapes[size_t(CurrentLevel)]) {
    if (!s || !Editable(*s)) {
      DebugLog("Editor drops a piece it cannot show in level " + std::to_string(CurrentLevel + 1));
      continue;
    }
    Shape::CreateNewShape(s->Element, s->X, s->Y, s->Rotation, s->R, s->G, s->B, true, 0, 0);
  }
}

bool TEd::Save() {
  if (WriteLevelSet(LevelFilePath)) return true;
  DebugLog("Could not write the level set " + LevelFilePath);
  return false;
}

void TEd::Start() {
  CurrentLevel = 0;
  LoadFromMem();
  ShowOptions = ShowOptionsBonus = false;
  user_ = Users->GetCurrentUser();
  // Closing the window keeps the work; during a test play the file is already written.
  SaveBeforeClose = [this] {
    if (testPlaying_) return;
    SaveToMem();
    Save();
  };
  while (true) {
    Frame();
    if (!Leave || Alpha >= 0) continue;
    SaveToMem();
    if (Save() || LeaveUnsaved()) break;
    Leave = false;  // back to work; the editor fades in again
  }
  SaveBeforeClose = nullptr;
}

bool TEd::LeaveUnsaved() {
  return AskPlayer(Text("Levelset not saved"),
                   Text("The levelset could not be written.\nLeave the editor anyway?"), false) == "YES";
}

void TEd::Frame() {
  Cls();
  PollInput();
  TGame::UpdateKeys();
  if (KeyHit(KEY_ESCAPE) && !RequesterOpen()) Leave = true;
  SetAlpha(1);
  SetColor(255, 255, 255);
  if (Background) DrawImage(Background, 0, 0);
  if (Board) DrawImage(Board, 0, 0);
  clicked_ = ClickLatch[0] != 0;
  if (BonusEditMode)
    BonusBoardMode();
  else
    PieceMode();
  TGame::DrawScoreboard(0, 0, true, YinYangRotation);
  TimeSlider();
  ModeSwitch();
  IconButtons();
  LevelChoice();
  Balloons();
  Requesters();
  if (!MovePlayfield && MousePointer) MousePointer->Draw();
  if (playRequest_ && !RequesterOpen()) TestPlay();
  playRequest_ = false;
  Fade();
  ShowFrame(-1);
}

void TEd::Requesters() {
  if (ShowOptions) {
    LevelPropRequester.Render(CurrentLevel);
    if (LevelPropRequester.Page == TLvlOptions::PAGE_EXIT) {
      ShowOptions = false;
      LevelPropRequester.Page = TLvlOptions::PAGE_MAIN;
    }
  }
  if (ShowOptionsBonus) {
    BonusLevelPropRequester.Render(CurrentLevel);
    if (BonusLevelPropRequester.Page == TBonusLvlOptions::PAGE_EXIT) {
      ShowOptionsBonus = false;
      BonusLevelPropRequester.Page = TBonusLvlOptions::PAGE_MAIN;
    }
  }
}

void TEd::TestPlay() {
  DebugLog("PlayGame Start.... / SaveToMem");
  SaveToMem();
  Level().Damaged = false;  // a damaged file's level plays (and is saved) as the editor shows it
  if (!LevelPlayable(CurrentLevel)) {  // no pieces, or all of them pushed off the board
    AskPlayer(Text("Play level"), Text("Put some tiles on the\nplay field first."), true);
    return;
  }
  DebugLog("Save Level");
  // The game reads the set from its file: without a written file there is nothing to play.
  if (!Save()) {
    AskPlayer(Text("Levelset not saved"), Text("The levelset could not be written,\nso it cannot be played."), true);
    return;
  }
  DebugLog("Create New Game");
  testPlaying_ = true;
  {
    TGame game;
    DebugLog("Set Vars");
    user_->ProgressMap = false;
    user_->Wisdoms = false;
    game.EditorIsOn = true;
    game.CurrentLevel = CurrentLevel;
    DebugLog("Init Level");
    game.InitLevel(false);
    DebugLog("Play");
    game.Play();
  }
  testPlaying_ = false;
  SetAlpha(1);
  SetColor(255, 255, 255);
  // An ESC that ended the game must not also leave the editor.
  while (KeyDown(KEY_ESCAPE)) {
    Cls();
    ShowFrame(-1);
  }
  FlushKeys();
  FlushMouse();
  LoadFromMem();
  DebugLog("Back in the editor");
}

void TEd::Fade() {
  if (!Leave && Alpha <= 1) Alpha += 0.05f;
  if (Leave && Alpha >= 0) Alpha -= 0.05f;
  BlackCover(1 - Alpha);
}
