#include "editor/level_chooser.h"

#include "app/shell.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/stream.h"
#include "players/data_folder.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "ui/level_select.h"
#include "ui/player_requesters.h"
#include "ui/widgets.h"

#include <algorithm>

namespace {

constexpr int LIST_X = 18, LIST_Y = 49, LIST_W = 218, LIST_H = 238;
constexpr int TRACK_X = 238, TRACK_Y = 70, TRACK_W = 23, TRACK_LENGTH = 197;
constexpr int MAX_NAME_WIDTH = 300;

bool Inside(float mx, float my, float left, float top, float right, float bottom) {
  return left < mx && mx < right && top < my && my < bottom;
}

}  // namespace

std::vector<std::string> TReqLevelSeletor::LevelSetFiles(const std::string& folder) {
  std::vector<std::string> files;
  for (const std::string& name : LoadDir(folder))
    if (TReqLevelSelect::IsLevelSet(name) && !IsDirectory(folder + name)) files.push_back(name);
  return files;
}

TReqLevelSeletor::TReqLevelSeletor() {
  SetImage("incbin::../gfx/levelselector_requester.png", true);
  AddButton("UP", 238, 47, 23, 22, true, false, 0, nullptr);
  AddButton("DOWN", 238, 267, 23, 23, true, false, 0, nullptr);
  // An unreadable folder lists nothing: only "New" leads on.
  dir = LevelSetFiles(DataFolder ? DataFolder->GetPath() : std::string());
}

void TReqLevelSeletor::ButtonPressed(const std::string&) {}

void TReqLevelSeletor::ButtonDown(const std::string& name) {
  if (name == "DOWN") ListOffset = std::min(ListOffset + 2, float(ListHeight));
  if (name == "UP") ListOffset = std::max(ListOffset - 2, 0.0f);
}

void TReqLevelSeletor::DrawList(float x, float y) {
  const int fh = FontMain->FrameHeight;
  int vx, vy, vw, vh;
  GetViewport(vx, vy, vw, vh);
  const int boxX = int(x) + LIST_X, boxY = int(y) + LIST_Y;
  SetViewport(boxX, boxY, LIST_W, LIST_H);
  const float mx = float(MouseX()), my = float(MouseY());
  // Rows scrolled out of the box neither light up nor take clicks.
  const bool inBox = float(boxY) < my && my < float(boxY + LIST_H);
  const int rx = int(x + LIST_X);
  int ry = int(y + LIST_Y - ListOffset);
  for (size_t i = 0; i < dir.size(); ++i) {
    if (inBox && Inside(mx, my, float(rx), float(ry), float(rx + LIST_W), float(ry + fh))) {
      if (ClickLatch[0]) sel = int(i);
      DrawClipped(RequesterImage, x, y, 1, rx, ry, LIST_W, fh);
    }
    if (sel == int(i)) {
      DrawClipped(RequesterImage, x, y, 2, rx, ry, LIST_W, fh);
      LevelFile = dir[i];
    }
    FontMain->Draw(TReqLevelSelect::ShownName(dir[i]), float(rx + 5), float(ry), false);
    ry += fh;
  }
  ListHeight = std::max(int(dir.size()) * fh - LIST_H, 0);
  SetViewport(vx, vy, vw, vh);
}

void TReqLevelSeletor::DrawScrollBar(float x, float y) {
  const float t = float(std::max(ListHeight + LIST_H, LIST_H));
  const float h = float(LIST_H) / t * TRACK_LENGTH;
  const float trackTop = y + TRACK_Y;
  const float thumbTop = trackTop + ListOffset / t * TRACK_LENGTH;
  const float mx = float(MouseX()), my = float(MouseY());
  const float left = x + TRACK_X, right = x + TRACK_X + TRACK_W;
  const bool overThumb = Inside(mx, my, left, thumbTop, right, thumbTop + h);
  if (ClickLatch[0] && Inside(mx, my, left, trackTop, right, trackTop + TRACK_LENGTH)) slide = true;
  if (slide && MouseDown(MOUSE_LEFT))
    ListOffset = std::clamp((my - trackTop - h / 2) / TRACK_LENGTH * t, 0.0f, float(ListHeight));
  if (!MouseDown(MOUSE_LEFT)) slide = false;
  DrawClipped(RequesterImage, x, y, overThumb ? 2 : 1, int(left), int(thumbTop), TRACK_W, int(h));
}

void TReqLevelSeletor::Render2(float x, float y) {
  SetColor(255, 255, 255);
  DrawList(x, y);
  DrawScrollBar(x, y);
  FontHeadline->Draw(Text("Choose a levelset"), x + 14, y - 12, false);
  if (ImageButton(Text("New"), int(x) + 325, int(y) + 80)) Action = "NEW";
  if (ImageButton(Text("Ok"), int(x) + 325, int(y) + 260, sel < 0)) Action = "OK";
}

TReqEnterLevelName::TReqEnterLevelName() {
  SetImage("incbin::../gfx/yesno_requester.png", false);
  AutoMidHandle(false);
  StrField = LoadImage("incbin::../gfx/name_requester.png");
}

void TReqEnterLevelName::ButtonPressed(const std::string&) {}

void TReqEnterLevelName::Render2(float x, float y) {
  DrawImage(StrField, x + 54, y + 129);
  SetColor(255, 255, 255);
  Type(MAX_NAME_WIDTH);
  Draw(PrintableName(Caption), float(int(x) + 56), float(int(y) + 126));
  if (ImageButton(Text("Ok"), int(x) + 233, int(y) + 207) && !LevelSetFileName(Caption).empty()) Action = "OK";
  FontMain->Draw(Text("Enter a name for the new levelset:"), x + 223, y + 75, true);
}
