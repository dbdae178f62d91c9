#include "ui/level_select.h"

#include "app/shell.h"
#include "game/req_yes_no.h"
#include "game/shape.h"
#include "levels/level_set.h"
#include "levels/puzzle_set.h"
#include "media/debug.h"
#include "media/desktop.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/stream.h"
#include "players/data_folder.h"
#include "players/users.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "present/latin1.h"
#include "present/pointer.h"
#include "ui/level_import.h"
#include "ui/player_requesters.h"
#include "ui/widgets.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr int LIST_X = 115, LIST_Y = 129, LIST_W = 191, LIST_H = 239;
constexpr int NAME_INSET = 5, NAME_WIDTH = LIST_W - 2 * NAME_INSET;
constexpr int BAR_X = 312, BAR_W = 20, TRACK_Y = 149, TRACK_LENGTH = 200;
constexpr float PREVIEW_X = 349, PREVIEW_Y = 129, PREVIEW_SCALE = 0.314f;
constexpr int SET_DONE = 50;

const char* const SHIPPED_SETS[] = {
    "incbin::../data/Jewels of Dharma.lvl", "incbin::../data/Numbers of Lhasa.lvl",
    "incbin::../data/Peace in Sakya.lvl",   "incbin::../data/Way of Arhat.lvl",
    "incbin::../data/Zhenyan Abstraktum.lvl",
};

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char p, char q) {
           return std::tolower(static_cast<unsigned char>(p)) == std::tolower(static_cast<unsigned char>(q));
         });
}

bool Inside(int mx, int my, int left, int top, int right, int bottom) {
  return left < mx && mx < right && top < my && my < bottom;
}

}  // namespace

std::vector<std::string> TReqLevelSelect::CandidatePaths() {
  std::vector<std::string> paths(std::begin(SHIPPED_SETS), std::end(SHIPPED_SETS));
  const std::string folder = DataFolder ? DataFolder->GetPath() : std::string();
  for (const std::string& entry : LoadDir(folder)) paths.push_back(folder + entry);
  return paths;
}

bool TReqLevelSelect::IsLevelSet(const std::string& path) {
  return path.size() >= 4 && path.compare(path.size() - 4, 4, ".lvl") == 0;
}

std::string TReqLevelSelect::ShownName(const std::string& path) {
  std::string name = path.size() >= 4 ? path.substr(0, path.size() - 4) : std::string();
  const size_t slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name = name.substr(slash + 1);
  return PrintableName(Latin1FromUtf8(name));
}

int TReqLevelSelect::Progress(const TUser& user, const std::string& path) {
  int level = 0;
  for (const MaxLevelPtr& m : user.MaxLevel)
    if (m && m->Name == path) level = m->Level;
  return level;
}

bool TReqLevelSelect::Completed(const TUser& user, const std::string& path) {
  return std::any_of(user.MaxLevel.begin(), user.MaxLevel.end(),
                     [&](const MaxLevelPtr& m) { return m && m->Name == path && m->Level >= SET_DONE; });
}

int TReqLevelSelect::InitialSelection(const TUser& user, const std::vector<std::string>& sets) {
  int chosen = 0;
  for (size_t i = 0; i < sets.size(); ++i)
    if (SameIgnoringCase(sets[i], user.CurrLevelFile)) chosen = int(i);
  if (chosen < int(sets.size()) && Completed(user, sets[size_t(chosen)])) {
    for (size_t j = size_t(chosen) + 1; j < sets.size(); ++j) {
      if (!Completed(user, sets[j])) return int(j);
    }
  }
  return chosen;
}

TReqLevelSelect::TReqLevelSelect() {
  AutoMidHandle(false);
  LevelSel_Screen = LoadImage("incbin::../gfx/levelselector_screen.png");
  Liste = LoadAnimImage("incbin::../gfx/levelselector_scr_list.png", 217, 240, 0, 2);
  DebugLog("Level-set selection");
  ListSets();
  Render();
  LevelFilePath = LevelFile;
}

void TReqLevelSelect::ListSets() {
  dir = CandidatePaths();
  sets_.clear();
  for (const std::string& path : dir) {
    DebugLog(path);
    if (IsLevelSet(path)) sets_.push_back(path);
  }
}

void TReqLevelSelect::ImportOpenedFiles() {
  std::string imported;
  for (const std::string& file : TakeOpenedFiles()) {
    // Behind the question: the page as it stands, the list left out (it would take clicks).
    const std::string path = ImportForPlayer(file, [this] { DrawBackdrop(); });
    if (!path.empty()) imported = path;
  }
  if (imported.empty()) return;
  ListSets();
  const auto it = std::find(sets_.begin(), sets_.end(), imported);
  if (it == sets_.end()) return;
  sel = int(it - sets_.begin());
  shownSel_ = -1;  // read again: a replaced set has new levels under the same path
  ScrollIntoView(sel);
}

void TReqLevelSelect::DrawPage() {
  SetAlpha(1);
  SetColor(255, 255, 255);
  DrawImage(LevelSel_Screen, 0, 0);
  FontHeadline->Draw(Text("Levelset"), 108, 65, false);
  FontHeadline->Draw(Text("Preview"), 345, 65, false);
}

void TReqLevelSelect::DrawBackdrop() {
  Cls();
  PollInput();
  DrawPage();
  DrawPreview();
  BlackCover(0.6f);
}

void TReqLevelSelect::DrawList() {
  const int rowHeight = FontMain->FrameHeight;
  int vx, vy, vw, vh;
  GetViewport(vx, vy, vw, vh);
  SetViewport(LIST_X, LIST_Y, LIST_W, LIST_H);
  const int mx = MouseX(), my = MouseY();
  // Rows scrolled out of the list area neither light up nor take clicks.
  const bool inArea = LIST_Y < my && my < LIST_Y + LIST_H;
  const TUser& user = *Users->GetCurrentUser();
  int rowY = int(LIST_Y - ListOffset);
  for (size_t i = 0; i < sets_.size(); ++i) {
    if (inArea && Inside(mx, my, LIST_X, rowY, LIST_X + LIST_W, rowY + rowHeight)) {
      DrawClipped(Liste, LIST_X, LIST_Y, 0, LIST_X, rowY, LIST_W, rowHeight);
      if (ClickLatch[0]) sel = int(i);
    }
    if (sel == int(i)) {
      DrawClipped(Liste, LIST_X, LIST_Y, 1, LIST_X, rowY, LIST_W, rowHeight);
      LevelFile = sets_[i];
    }
    const BitmapFontPtr& font = Completed(user, sets_[i]) ? FontMainHover : FontMain;
    font->Draw(font->Shortened(ShownName(sets_[i]), NAME_WIDTH), LIST_X + NAME_INSET, float(rowY), false);
    rowY += rowHeight;
  }
  SetViewport(vx, vy, vw, vh);
  ListHeight = std::max(int(sets_.size()) * rowHeight - LIST_H, 0);
}

void TReqLevelSelect::ScrollIntoView(int row) {
  const int rowHeight = FontMain->FrameHeight;
  const int height = std::max(int(sets_.size()) * rowHeight - LIST_H, 0);
  ListOffset = float(std::clamp((row + 1) * rowHeight - LIST_H, 0, height));
}

void TReqLevelSelect::SelectionChanged() {
  shownSel_ = sel;
  LevelFilePath = LevelFile;
  ReadLevelSet(LevelFile);
  // The preview shows the level a game starts with: damaged levels are not played.
  previewLevel_ = NextPlayableLevel(0);
  playable_ = previewLevel_ < LEVEL_COUNT;
  Shape::ClearAllElements();
  if (playable_)
    for (const ShapePtr& s : LevelShapes[size_t(previewLevel_)])
      if (s) Shape::CreateNewShape(s->Element, s->X, s->Y, s->Rotation, 0, 0, 0, false, 0, 0);
  const UserPtr user = Users->GetCurrentUser();
  user->CurrLevelFile = LevelFile;
  Users->SaveInBackground();  // the choice survives even if no game starts
  progress_ = Progress(*user, LevelFile);
}

void TReqLevelSelect::DrawScrollBar() {
  const float d = float(std::max(ListHeight + LIST_H, LIST_H));
  const float thumbLength = LIST_H / d * TRACK_LENGTH;
  const int mx = MouseX(), my = MouseY();
  if (ClickLatch[0] && Inside(mx, my, BAR_X, TRACK_Y, BAR_X + BAR_W, TRACK_Y + TRACK_LENGTH)) slide = true;
  if (slide && MouseDown(MOUSE_LEFT))
    ListOffset = std::clamp((float(my - TRACK_Y) - thumbLength / 2) / TRACK_LENGTH * d, 0.0f, float(ListHeight));
  if (!MouseDown(MOUSE_LEFT)) slide = false;
  const float thumbTop = TRACK_Y + ListOffset / d * TRACK_LENGTH;
  const bool overThumb = BAR_X < mx && mx < BAR_X + BAR_W && thumbTop < float(my) && float(my) < thumbTop + thumbLength;
  DrawClipped(Liste, LIST_X, LIST_Y, overThumb ? 1 : 0, BAR_X, int(thumbTop), BAR_W, int(thumbLength));

  if (Inside(mx, my, BAR_X, LIST_Y, BAR_X + BAR_W, LIST_Y + 20)) {
    const bool down = MouseDown(MOUSE_LEFT);
    DrawClipped(Liste, LIST_X, LIST_Y, down ? 1 : 0, BAR_X, LIST_Y, BAR_W, 20);
    if (down) ListOffset = std::max(ListOffset - 2, 0.0f);
  }
  if (Inside(mx, my, BAR_X, LIST_Y + 220, BAR_X + BAR_W, LIST_Y + 240)) {
    const bool down = MouseDown(MOUSE_LEFT);
    DrawClipped(Liste, LIST_X, LIST_Y, down ? 1 : 0, BAR_X, LIST_Y + 220, BAR_W, 20);
    if (down) ListOffset = std::min(ListOffset + 2, float(ListHeight));
  }
}

void TReqLevelSelect::DrawPreview() {
  if (!playable_) return;
  const int row = LevelProps[size_t(previewLevel_)]->PuzzleSet;
  SetScale(PREVIEW_SCALE, PREVIEW_SCALE);
  for (const ShapePtr& s : ShapeList) {
    if (!s || s->Element < 0 || s->Element > 4) continue;
    SetRotation(s->Rotation);
    DrawImage(PieceImages[size_t(row)][size_t(s->Element)], PREVIEW_X + s->X * PREVIEW_SCALE,
              PREVIEW_Y + s->Y * PREVIEW_SCALE);
  }
  SetRotation(0);
  SetScale(1, 1);
}

void TReqLevelSelect::DrawProgress() {
  std::string text;
  if (!playable_)
    text = Text("Levelset not playable");
  else if (progress_ <= 0)
    text = Text("Levelset not yet played");
  else if (progress_ < SET_DONE)
    text = Language->GetString("Progress: Level $currentLevel / $maxLevel",
                               {"currentLevel", std::to_string(progress_ + 1), "maxLevel", std::to_string(SET_DONE)});
  else
    text = Text("Levelset completed");
  FontMainHover->Draw(text, 170, 385, false);
}

void TReqLevelSelect::Refuse() {
  DebugLog("Levelset not playable: " + LevelFile);
  AskYesNo([this] { DrawBackdrop(); }, Text("Levelset not playable"),
           Text("This file cannot be read as a levelset,\nor it holds no puzzle yet.\nPlease choose another levelset."),
           true);
}

void TReqLevelSelect::Render() {
  bool firstFrame = true;
  while (true) {
    PollInput();
    Cls();
    DrawPage();
    if (ImageButton(Text("Choose"), 410, 350) && !LeaveScreen) {
      if (playable_)
        LeaveScreen = true;
      else
        Refuse();
    }
    CurrentUserIndex = std::clamp(CurrentUserIndex, 0, std::max(int(Users->UserList.size()) - 1, 0));
    if (firstFrame) {
      // The player's last set starts selected, or the next unfinished one.
      sel = InitialSelection(*Users->GetCurrentUser(), sets_);
      ScrollIntoView(sel);
      firstFrame = false;
    }
    if (OpenedFilePending()) ImportOpenedFiles();
    DrawList();
    if (sel != shownSel_) SelectionChanged();
    DrawScrollBar();
    DrawPreview();
    DrawProgress();
    if (MousePointer) MousePointer->Draw();

    if (!LeaveScreen && Fader > 0) Fader -= 0.05f;
    if (LeaveScreen) {
      Fader += 0.05f;
      if (Fader > 1) {
        Cls();
        ShowFrame();
        return;
      }
    }
    BlackCover(Fader);
    ShowFrame();
  }
}
