#include "ui/tutorial.h"

#include "app/shell.h"
#include "media/graphics.h"
#include "media/platform.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "present/pointer.h"
#include "ui/widgets.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float TEXT_X = 35, TEXT_Y = 287, WRAP = 565;

}  // namespace

const char* const Tutorial::PAGE_TEXT[6] = {
    "Aim of the game is to fill the black silhouette with the given tiles at the right side of the screen.",
    "Move your mouse over a tile and click on it to select and move it around.",
    "If you have selected a tile, you can use your mousewheel, the key A, S or the right mousebutton to rotate it.",
    "If you picked up a tile, a left mouse click will drop the tile down at the current position.",
    "If you stuck in a puzzle, click on the lamp to get a hint.",
    "A puzzle is solved, when all tiles will match the black silhouette exactly."};

Tutorial::Tutorial() {
  AutoMidHandle(false);
  bg = LoadImage("incbin::../gfx/tutorial/bg.png");
  Screen0 = LoadImage("incbin::../gfx/tutorial/screen0.png");
  MovingArrow = LoadImage("incbin::../gfx/tutorial/arrow.png");
  Screen1 = LoadImage("incbin::../gfx/tutorial/screen1.png");
  MyPointer = LoadImage("incbin::../gfx/tutorial/screen1_pointer.png");
  AutoMidHandle(true);
  MyTile = LoadImage("incbin::../gfx/tutorial/screen1_tile.png");
  AutoMidHandle(false);
  click = LoadImage("incbin::../gfx/tutorial/click.png");
  Screen6 = LoadImage("incbin::../gfx/tutorial/screen6.png");
  flash = LoadImage("incbin::../gfx/tutorial/screen6_flash.png");
  AutoMidHandle(true);
}

namespace {

// Lays the text out character by character: place(i, col, row) for every character drawn.
// A word that would cross the wrap width moves to the next line as a whole; one wider
// than a whole line breaks where it crosses; backslash-n breaks the line.
template <class Place>
void LayOutTutText(const TBitmapFont& font, const std::string& text, Place place) {
  auto width = [&](char ch) { return float(font.GetWidth(std::string(1, ch))); };
  auto lineBreak = [&](size_t j) { return text[j] == '\\' && j + 1 < text.size() && text[j + 1] == 'n'; };
  int row = 0;
  float col = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (lineBreak(i)) {
      row += 1;
      col = 0;
      ++i;
      continue;
    }
    // A line that has something on it ends before a word that does not fit, or inside
    // a word longer than the line, before the letter that crosses.
    if (col > 0 && text[i] != ' ') {
      float w = col + width(text[i]);
      if (text[i - 1] == ' ')
        for (size_t j = i + 1; j < text.size(); ++j) {
          w += width(text[j]);
          if (text[j] == ' ' || lineBreak(j)) break;
        }
      if (w > WRAP) {
        row += 1;
        col = 0;
      }
    }
    place(i, col, row);
    col += width(text[i]);
  }
}

}  // namespace

void Tutorial::DrawTutText(const std::string& text) {
  if (!FontMain) return;
  const TBitmapFont& font = *FontMain;
  LayOutTutText(font, text, [&](size_t i, float col, int row) {
    font.Draw(std::string(1, text[i]), TEXT_X + 2 + col, TEXT_Y + float(row * font.FrameHeight) + 2, false);
  });
}

int Tutorial::TextRows(const std::string& text) {
  if (!FontMain || text.empty()) return 0;
  int rows = 0;
  LayOutTutText(*FontMain, text, [&](size_t, float, int row) { rows = std::max(rows, row + 1); });
  return rows;
}

void Tutorial::DrawPage(int page, int& c, float& angle) {
  const double s = std::sin((Millisecs() / 5) * 3.14159265358979 / 180);
  auto pointerAt = [&](float x, float y) { DrawImage(MyPointer, x, y); };
  auto tileAt = [&](float x, float y) { DrawImage(MyTile, x, y); };
  auto clickAt = [&](float x, float y) { DrawImage(click, x, y); };
  if (page != 0) c += 1;
  switch (page) {
    case 0:
      DrawImage(Screen0, 35, 73);
      DrawImage(MovingArrow, float(293 - 10 * s), float(42 + 10 * s));
      break;
    case 1: {
      DrawImage(Screen1, 35, 73);
      const float scale = c < 60 ? 0.8f : c < 80 ? 0.8f + float(c - 60) / 100 : 1.0f;
      SetScale(scale, scale);
      if (c < 150) {
        tileAt(268, 240);
      } else if (c < 280) {
        const float d = float(c - 150);
        tileAt(268 - 1.085f * d, 240 - 1.12f * d);
      } else {
        tileAt(126.95f, 94.4f);
      }
      SetScale(1, 1);
      if (c < 60) {
        pointerAt(float(142 + 2 * c), float(179 + c));
      } else if (c < 150) {
        pointerAt(262, 239);
        if (100 < c && c < 130) clickAt(268, 235);
      } else if (c < 280) {
        const float d = float(c - 150);
        pointerAt(262 - 1.085f * d, 239 - 1.12f * d);
      } else {
        pointerAt(120.95f, 93.4f);
      }
      if (c > 310) c = 0;
      break;
    }
    case 2:
      DrawImage(Screen1, 35, 73);
      if (c >= 120) angle += 2.25f;
      if (c >= 129) c = 0;
      SetRotation(angle);
      tileAt(156, 127);
      SetRotation(0);
      pointerAt(156, 128);
      if (90 < c && c < 120) clickAt(160, 124);
      break;
    case 3:
    case 5: {
      DrawImage(page == 3 ? Screen1 : Screen6, 35, 73);
      if (c < 20) {
        tileAt(222, 176);
        pointerAt(222, 176);
      } else if (c < 100) {
        tileAt(float(242 - c), float(196 - c));
        pointerAt(float(242 - c), float(196 - c));
      } else if (page == 3) {
        if (c < 200) {
          tileAt(142, 96);
          pointerAt(142, 96);
          if (140 < c && c < 180) clickAt(148, 92);
        } else if (c < 300) {
          tileAt(142, 96);
          pointerAt(float(142 + (c - 200)), float(96 + (c - 200)));
        } else if (c < 330) {
          tileAt(142, 96);
          pointerAt(242, 196);
        } else {
          c = 0;
        }
      } else if (c < 160) {
        tileAt(142, 96);
        pointerAt(142, 96);
        if (130 < c && c < 160) clickAt(149, 92);
      } else {
        const float d = float(std::min(c - 160, 45));
        tileAt(142, 96);
        pointerAt(142 + d, 96 + d);
        SetAlpha(c < 180 ? d / 20 : 1 - float(c - 180) / 20);
        DrawImage(flash, 71, 74);
        SetAlpha(1);
        if (c > 240) c = 0;
      }
      break;
    }
    case 4:
      DrawImage(Screen0, 35, 73);
      if (c < 100) {
        pointerAt(float(150 - c), float(134 + c));
      } else if (c < 150) {
        pointerAt(50, 234);
        if (c > 120) clickAt(52, 230);
      } else if (c < 165) {
        pointerAt(50, 234);
        SetAlpha(float(c - 150) / 20);
        tileAt(142, 96);
        SetAlpha(1);
      } else if (c < 175) {
        pointerAt(50, 234);
        SetAlpha(float(10 - (c - 165)) / 20);
        tileAt(142, 96);
        SetAlpha(1);
      } else {
        pointerAt(50, 234);
      }
      if (c > 190) c = 0;
      break;
    default:
      break;
  }
}

int Tutorial::Display() {
  int page = 0, c = 0;
  float angle = 0, fade = 1;
  bool done = false;
  while (!(done && fade > 1)) {
    SetAlpha(1);
    PollInput();
    Cls();
    DrawImage(bg, 0, 0);
    if (FontHeadline) FontHeadline->Draw(Language->GetString("Instructions"), 30, 0, false);
    SetColor(0, 0, 0);
    SetAlpha(0.75f);
    DrawRect(34, 287, 586, 105);
    SetColor(255, 255, 255);
    SetAlpha(1);
    DrawTutText(Language->GetString(PAGE_TEXT[page]));
    DrawPage(page, c, angle);
    if (FontMain) FontMain->Draw(std::to_string(page + 1) + "/6", 35, 73, false);
    if (ImageButton("<<", 93, 435, false) && page > 0) {
      page -= 1;
      c = 0;
    }
    if (ImageButton(">>", 215, 435, false) && page < 5) {
      page += 1;
      c = 0;
    }
    if (ImageButton(Text("Play"), 567, 435, false)) done = true;
    if (MousePointer) MousePointer->Draw();
    BlackCover(fade);
    if (!done && fade > 0) fade -= 0.1f;
    if (done && fade <= 1) fade += 0.1f;
    ShowFrame(-1);
  }
  return 0;
}
