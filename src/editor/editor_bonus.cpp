// The editor's bonus board mode: a palette of tiles and the 8 × 9 start board of the
// level's bonus game, painted with the left button and erased with the right.
#include "editor/editor.h"

#include "app/shell.h"
#include "levels/level_set.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/platform.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "ui/widgets.h"

namespace {

constexpr int PALETTE_SIZE = 10;
constexpr int MARK_ENTRY = 8;  // the palette entry that places puzzle-tile marks
constexpr int FRAME_MARK = 144;
constexpr int BOARD_X = 147, BOARD_Y = 82, CELL = 40;

// The strip frame of a tile kind (0..7 kinds, then the single frames), animated where the
// strip holds an animation; −1 for a value no tile has.
int TileFrame(int kind) {
  const int f = kind >= 0 && kind < 8 ? 16 * kind : kind >= 8 && kind < 16 ? FRAME_MARK + kind - 8 : -1;
  if (f >= 112 && f < FRAME_MARK) return f + (Millisecs() / 20) % 32;
  return f;
}

void DrawTile(const ImagePtr& tiles, int kind, float x, float y) {
  const int frame = TileFrame(kind);
  if (frame >= 0 && frame < tiles->FrameCount()) DrawImage(tiles, x, y, frame);
}

}  // namespace

int TEd::RemainingMarks() const {
  int marks = 0;
  for (const auto& column : Level().PuzzleTileData)
    for (int cell : column) marks += cell != -1;
  return int(ShapeList.size()) - marks;
}

void TEd::BonusBoardMode() {
  SetColor(255, 255, 255);
  DrawImage(BonusGameBG, 145, 80);
  DrawPalette();
  PaintBoard();
  // The count sits on the mark's own palette tile, on a dark badge to stay readable.
  if (FontMain) {
    const std::string marks = std::to_string(RemainingMarks());
    const float w = float(FontMain->GetWidth(marks)), h = float(FontMain->GetHeight(marks));
    SetColor(0, 0, 0);
    SetAlpha(0.65f);
    DrawOval(526 - w / 2 - 8, 306 - h / 2 - 2, w + 16, h + 4);
    SetAlpha(1);
    SetColor(255, 255, 255);
    FontMain->Draw(marks, 526, 306, true);
  }
  if (ImageButton(Text("Options"), 547, 425) && !RequesterOpen()) ShowOptionsBonus = true;
}

void TEd::DrawPalette() {
  const int mx = MouseX(), my = MouseY();
  for (int t = 0; t < PALETTE_SIZE; ++t) {
    const int cx = 520 + 52 * (t % 2), cy = 100 + 52 * (t / 2);
    SetColor(255, 255, 255);
    if (cx - 25 < mx && mx < cx + 25 && cy - 25 < my && my < cy + 25) {
      SetColor(255, 0, 0);
      if (ClickLatch[0] && !RequesterOpen()) SelectedTile = t;
    }
    if (t == SelectedTile) SetColor(0, 0, 255);
    DrawRect(float(cx - 25), float(cy - 25), 50, 50);
    SetColor(0, 0, 0);
    DrawRect(float(cx - 24), float(cy - 24), 48, 48);
    SetColor(255, 255, 255);
    DrawTile(BonusTiles, t, float(cx), float(cy));
  }
}

void TEd::PaintBoard() {
  TLevelProperties& level = Level();
  const int mx = MouseX(), my = MouseY();
  for (int c = 0; c < BOARD_W; ++c) {
    for (int r = 0; r < BOARD_H; ++r) {
      const int left = BOARD_X + CELL * c, top = BOARD_Y + CELL * r;
      int& tile = level.BonusLevelData[size_t(c)][size_t(r)];
      int& mark = level.PuzzleTileData[size_t(c)][size_t(r)];
      SetColor(255, 255, 255);
      if (c > 0 && r > 0) Plot(float(left), float(top));
      if (tile != -1) DrawTile(BonusTiles, tile, float(left + 20), float(top + 20));
      if (mark != -1) DrawTile(BonusTiles, MARK_ENTRY, float(left + 20), float(top + 20));
      if (RequesterOpen() || !(left < mx && mx < left + CELL + 1 && top < my && my < top + CELL + 1)) continue;
      const float l = float(left), t = float(top), w = float(CELL);
      DrawLine(l, t, l + w, t);
      DrawLine(l + w, t, l + w, t + w);
      DrawLine(l + w, t + w, l, t + w);
      DrawLine(l, t + w, l, t);
      if (MouseDown(MOUSE_LEFT)) {
        if (SelectedTile != MARK_ENTRY)
          tile = SelectedTile;
        else if (mark == -1 && RemainingMarks() > 0)
          mark = 0;
      }
      if (MouseDown(MOUSE_RIGHT)) (SelectedTile == MARK_ENTRY ? mark : tile) = -1;
    }
  }
}
