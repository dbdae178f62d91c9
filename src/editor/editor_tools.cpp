// The editor's piece mode and its controls: the stack, moving the whole figure, the time
// slider, the level/bonus switch, the icon buttons and the level choice.
#include "editor/editor.h"

#include "app/shell.h"
#include "levels/geometry.h"
#include "levels/level_set.h"
#include "levels/puzzle_set.h"
#include "media/collision.h"
#include "media/graphics.h"
#include "media/input.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "present/pointer.h"
#include "ui/widgets.h"

#include <algorithm>

namespace {

constexpr float BOARD_EDGE = 455;
constexpr float STACK_X = 550;
constexpr float STACK_Y[5] = {120, 200, 260, 340, 420};
constexpr int MOVE_X = 70, MOVE_Y = 317;  // where the pointer is held while the figure moves
constexpr int MAX_TIME = 240, MAX_SLIDER_TIME = 235;

void SetPieceColours(int value) {
  for (const ShapePtr& s : ShapeList) s->R = s->G = s->B = value;
}

// The pieces on the board, as the silhouette they form: a piece put down on a matching
// place snaps to it, as in play.
void BoardAsTarget(int row) {
  TargetTris.clear();
  for (const ShapePtr& s : ShapeList) {
    if (s->PickedUp || s->X >= BOARD_EDGE) continue;
    SetRotation(s->Rotation);
    AddPieceTriangles(s->Element, int(s->X), int(s->Y), row, TargetTris);
  }
  SetRotation(0);
}

struct Tooltip {
  std::string text;
  int mx = 0, my = 0;
};
Tooltip PendingTooltip;

// Beside the pointer, kept inside the screen; drawn after all icons so none covers it.
void DrawTooltip(const Tooltip& t) {
  if (t.text.empty() || !FontMain) return;
  const int w = FontMain->GetWidth(t.text), fh = FontMain->FrameHeight;
  int tx = t.mx + 5, ty = t.my - 5;
  if (tx + w > 620) tx = t.mx - w - 20;
  if (ty < fh + 20) ty = t.my + fh + 25;
  SetColor(0, 0, 0);
  SetAlpha(0.4f);
  DrawRect(float(tx - 4), float(ty - fh - 14), float(w + 16), float(fh + 16));
  SetAlpha(1);
  SetColor(255, 255, 255);
  FontMain->Draw(t.text, float(tx), float(ty - fh - 6), false);
}

}  // namespace

void TEd::PieceMode() {
  BoardAsTarget(Row());
  SetPieceColours(0);
  // Moving the figure holds the pointer on the move icon: no piece may be taken there.
  Shape::UpdateAllElements(PLAY_GAME, Row(), RequesterOpen() || MovePlayfield, false, false, false);
  SetPieceColours(255);
  if (KeyHit(KEY_R) && !RequesterOpen()) {
    std::erase_if(ShapeList, [](const ShapePtr& s) { return s->PickedUp != 0; });
    HeldShape = nullptr;
    PieceDragged = false;
  }
  RunMovePlayfield();
  TakeFromStack();
  DropOnStack();
}

void TEd::RunMovePlayfield() {
  if (!MovePlayfield) return;
  if (ClickLatch[0]) {
    MovePlayfield = false;
    ClickLatch[0] = 0;
  }
  const float dx = float(MouseX() - MOVE_X), dy = float(MouseY() - MOVE_Y);
  for (const ShapePtr& s : ShapeList) {
    s->X += dx;
    s->Y += dy;
  }
  MoveMouse(MOVE_X, MOVE_Y);
}

void TEd::TakeFromStack() {
  const int row = Row();
  SetColor(255, 255, 255);
  for (int kind = 0; kind < 5; ++kind) DrawImage(PieceImages[size_t(row)][size_t(kind)], STACK_X, STACK_Y[kind]);
  if (RequesterOpen() || MovePlayfield) return;
  for (int kind = 0; kind < 5; ++kind) {
    if (!ImagesCollide(ColPic, float(MouseX()), float(MouseY()), 0, PieceImages[size_t(row)][size_t(kind)], STACK_X,
                       STACK_Y[kind], 0))
      continue;
    if (MousePointer) MousePointer->SetHover(true);
    if (ClickLatch[0]) {
      ClickLatch[0] = 0;  // one new piece per click
      HeldShape = Shape::CreateNewShape(kind, -1, -1, 0, 255, 255, 255, true, 1, 0);
      PieceDragged = true;
    }
  }
}

void TEd::DropOnStack() {
  if (MovePlayfield) return;
  std::erase_if(ShapeList, [](const ShapePtr& s) { return s->X > BOARD_EDGE && !s->PickedUp; });
}

void TEd::TimeSlider() {
  TLevelProperties& level = Level();
  level.GameTime = std::clamp(level.GameTime, 0, MAX_TIME);
  SetColor(255, 255, 255);
  SetScale(1.85f, 1);
  DrawImage(Slider, 105, 25);
  SetScale(1, 1);
  DrawImage(Regler, float(110 + level.GameTime), 36);
  const int mx = MouseX(), my = MouseY();
  if (97 < mx && mx < 348 && 25 < my && my < 53 && ClickLatch[0] && !RequesterOpen()) slideDrag_ = true;
  if (slideDrag_) {
    if (!MouseDown(MOUSE_LEFT)) slideDrag_ = false;
    // Left of the track the level has no time limit ("off").
    level.GameTime = std::clamp(mx - 105, 0, MAX_SLIDER_TIME);
  }
  if (!FontMain) return;
  FontMain->Draw(Text("Time: "), 35, 15, false);
  SetAlpha(0.7f);
  const std::string value =
      level.GameTime > 0 ? Text("$sec seconds", {"sec", std::to_string(level.GameTime)}) : Text("off");
  FontMain->Draw(value, 220, 30, true);
  SetAlpha(1);
}

void TEd::ModeSwitch() {
  if (!(Level().MiscProperties & LP_PLAY_FOR_TILES)) {
    BonusEditMode = false;
    return;
  }
  if (ImageButton(Text(BonusEditMode ? "Bonus" : "Level"), 460, 35) && !RequesterOpen()) BonusEditMode = !BonusEditMode;
}

bool TEd::DrawIconButton(int x, int y, int icon, const std::string& tooltip) {
  const int n = NextWidget();
  int state = 0;
  const int halfW = ImageWidth(Icons) / 2 - 7, halfH = ImageHeight(Icons) / 2 - 7;
  const int mx = MouseX(), my = MouseY();
  if (x - halfW < mx && mx < x + halfW && y - halfH < my && my < y + halfH && !MovePlayfield && !RequesterOpen()) {
    state = MouseDown(MOUSE_LEFT) ? 2 : 1;
    if (MousePointer) MousePointer->SetHover(true);
  }
  SetColor(255, 255, 255);
  DrawImage(Icons, float(x), float(y), icon * 3 + state);
  if (state > 0) PendingTooltip = Tooltip{tooltip, mx, my};
  if (MovePlayfield) return false;
  return WidgetBehavior(n, state > 0).fired;
}

void TEd::IconButtons() {
  SetColor(255, 255, 255);
  DrawImage(Fahne, -15, 254);
  PendingTooltip = Tooltip{};
  if (DrawIconButton(25, 317, 0, Text("Clear level"))) {
    if (BonusEditMode) {
      for (auto& column : Level().BonusLevelData) column.fill(-1);
      for (auto& column : Level().PuzzleTileData) column.fill(-1);
    } else {
      Shape::ClearAllElements();
      HeldShape = nullptr;
      PieceDragged = false;
    }
  }
  if (DrawIconButton(70, 317, 1, Text("Move playfield")) && !BonusEditMode) MovePlayfield = true;
  if (DrawIconButton(25, 372, 2, Text("Flip parallelogram")) && !BonusEditMode) {
    // Any other value a file may hold flips back to the first slant.
    Level().PuzzleSet = Level().PuzzleSet == 0 ? 1 : 0;
  }
  if (DrawIconButton(70, 372, 3, Text("Play level"))) playRequest_ = true;
  if (DrawIconButton(25, 427, 4, Text("Level properties"))) ShowOptions = true;
  if (DrawIconButton(593, 31, 5, Text("Quit"))) Leave = true;
  DrawTooltip(PendingTooltip);
}

namespace {

// A dark knob under the "-" and "+" captions, which would otherwise vanish into the
// board's gilded edge (captions are drawn 5 pixels up and left of their point).
void DrawKnob(int x, int y) {
  SetColor(214, 170, 80);
  DrawOval(float(x - 17), float(y - 17), 24, 24);
  SetColor(70, 16, 12);
  DrawOval(float(x - 16), float(y - 16), 22, 22);
  SetColor(255, 255, 255);
}

}  // namespace

void TEd::LevelChoice() {
  DrawKnob(85, 220);
  DrawKnob(85, 252);
  if (!RequesterOpen()) {
    if (TextButton("-", 85, 220)) ChangeLevel(-1);
    if (TextButton("+", 85, 252)) ChangeLevel(1);
  }
  if (KeyHit(KEY_SUBTRACT)) ChangeLevel(-1);
  if (KeyHit(KEY_ADD)) ChangeLevel(1);
  SetColor(255, 255, 255);
  if (FontHeadline) FontHeadline->Draw(std::to_string(CurrentLevel + 1), 42, 233, true);
}

void TEd::ChangeLevel(int step) {
  SaveToMem();
  CurrentLevel = std::clamp(CurrentLevel + step, 0, LEVEL_COUNT - 1);
  LoadFromMem();
}
