#include "ui/player_requesters.h"

#include "app/shell.h"
#include "media/graphics.h"
#include "media/input.h"
#include "players/users.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "ui/title_screen.h"
#include "ui/widgets.h"

#include <algorithm>

namespace {

constexpr int LIST_X = 109, LIST_Y = 84, LIST_W = 179, LIST_H = 240;
constexpr int NAME_INSET = 5, NAME_WIDTH = LIST_W - 2 * NAME_INSET;
constexpr int TRACK_X = 292, TRACK_Y = 104, TRACK_W = 20, TRACK_LENGTH = 200;
constexpr int MAX_NAME_WIDTH = 300;

std::string& MenuAction() {
  static std::string none;
  return TitleScreen ? TitleScreen->Action : none;
}

}  // namespace

std::string PrintableName(const std::string& name) {
  std::string shown = name;
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = ' ';
  return shown;
}

TReqUsers::TReqUsers() {
  SetImage("incbin::../gfx/users_requester.png", true);
  Ziehbalken = LoadAnimImage("incbin::../gfx/ziehbalken.png", 20, 1, 0, 2);
  Dharma = LoadAnimImage("incbin::../gfx/Dharma.png", 112, 97, 0, 16);
  AddButton("NEW", 312, 84, 96, 37, true, false, 0, nullptr);
  AddButton("CHANGE", 312, 121, 96, 37, true, false, 0, nullptr);
  AddButton("DELETE", 312, 158, 96, 37, true, false, 0, nullptr);
  AddButton("OK", 312, 317, 96, 37, true, false, 0, nullptr);
  AddButton("UP", 292, 84, 20, 20, true, false, 0, nullptr);
  AddButton("DOWN", 292, 304, 20, 20, true, false, 0, nullptr);
}

void TReqUsers::ButtonPressed(const std::string&) {}

void TReqUsers::ButtonDown(const std::string& name) {
  if (name == "DOWN") ListOffset = std::min(ListOffset + 2, float(ListHeight));
  if (name == "UP") ListOffset = std::max(ListOffset - 2, 0.0f);
}

void TReqUsers::DrawList(float x, float y) {
  const int rowHeight = FontMain->FrameHeight;
  const int areaX = int(x) + LIST_X, areaY = int(y) + LIST_Y;
  int vx, vy, vw, vh;
  GetViewport(vx, vy, vw, vh);
  SetViewport(areaX, areaY, LIST_W, LIST_H);

  const int count = int(Users->UserList.size());
  CurrentUserIndex = std::clamp(CurrentUserIndex, 0, std::max(count - 1, 0));
  const int mx = MouseX(), my = MouseY();
  // Rows scrolled out of the list area neither light up nor take clicks.
  const bool inArea = areaY < my && my < areaY + LIST_H;
  int rowY = int(y + LIST_Y - ListOffset);
  for (int i = 0; i < count; ++i) {
    const bool hovered = x + LIST_X < mx && mx < x + LIST_X + LIST_W && rowY < my && my < rowY + rowHeight && inArea;
    if (hovered) {
      DrawClipped(RequesterImage, x, y, 1, areaX, rowY, LIST_W, rowHeight);
      if (ClickLatch[0] && Alpha >= 1) CurrentUserIndex = i;
    }
    if (CurrentUserIndex == i) DrawClipped(RequesterImage, x, y, 2, areaX, rowY, LIST_W, rowHeight);
    const std::string name = FontMain->Shortened(PrintableName(Users->UserList[size_t(i)]->Name), NAME_WIDTH);
    FontMain->Draw(name, x + LIST_X + NAME_INSET, float(rowY), false);
    rowY += rowHeight;
  }
  SetViewport(vx, vy, vw, vh);
  ListHeight = std::max(count * rowHeight - LIST_H, 0);
  ListOffset = std::clamp(ListOffset, 0.0f, float(ListHeight));
}

void TReqUsers::DrawScrollBar(float x, float y) {
  const float trackX = x + TRACK_X, trackY = y + TRACK_Y;
  const float d = float(std::max(ListHeight + LIST_H, LIST_H));
  const float thumbLength = LIST_H / d * TRACK_LENGTH;
  const float mx = float(MouseX()), my = float(MouseY());
  const bool inTrack = trackX < mx && mx < trackX + TRACK_W && trackY < my && my < trackY + TRACK_LENGTH;
  if (MouseDown(MOUSE_LEFT) && inTrack && Alpha >= 1)
    ListOffset = std::clamp(((my - trackY) - thumbLength / 2) / TRACK_LENGTH * d, 0.0f, float(ListHeight));
  const float thumbTop = ListOffset / d * TRACK_LENGTH;
  const bool overThumb = inTrack && trackY + thumbTop < my && my < trackY + thumbTop + thumbLength;
  DrawClipped(RequesterImage, x, y, overThumb ? 2 : 1, int(trackX), int(trackY + thumbTop), TRACK_W,
              int(thumbLength));
  DrawImage(Ziehbalken, trackX, trackY + thumbTop - 1, overThumb ? 1 : 0);
  DrawImage(Ziehbalken, trackX, trackY + thumbTop + thumbLength - 1, overThumb ? 1 : 0);
}

void TReqUsers::DrawPrayerWheels() {
  // The wheels turn forth and back.
  const float f = dframe >= 16 ? 31 - dframe : dframe;
  DrawImage(Dharma, 23, 55, std::max(int(f), 0));
  DrawImage(Dharma, 508, 55, std::max(int(f), 0));
  dframe += 0.2f;
  if (dframe >= 32) dframe -= 32;
}

void TReqUsers::DrawButtons(float x, float y) {
  const int bx = int(x) + 367, by = int(y);
  const bool alive = Alpha >= 1;  // buttons wake once the requester has faded in
  const std::shared_ptr<TReqEnterName> nameReq = TitleScreen ? TitleScreen->NameReq : nullptr;
  SetScale(0.89f, 1);
  if (ImageButton(Text("New"), bx, by + 107) && alive && nameReq) {
    nameReq->Caption = Text("New player");
    nameReq->ChangeName = false;
    FlushKeys();  // keys typed elsewhere do not land in the name
    MenuAction() = "ADD_NEW_USER";
  }
  SetScale(0.89f, 1);
  if (ImageButton(Text("Change"), bx, by + 170) && alive && nameReq && !Users->UserList.empty()) {
    nameReq->ChangeName = true;
    nameReq->ChangeId = CurrentUserIndex;
    nameReq->Caption = Users->UserList[size_t(CurrentUserIndex)]->Name;
    FlushKeys();
    MenuAction() = "CHANGE_USER";
  }
  SetScale(0.89f, 1);
  if (ImageButton(Text("Delete"), bx, by + 233) && alive && TitleScreen && !Users->UserList.empty())
    TitleScreen->AskToDelete(Users->UserList[size_t(CurrentUserIndex)]);
  SetScale(0.89f, 1);
  if (ImageButton(Text("Ok"), bx, by + 337) && alive) {
    Users->SaveInBackground();
    MenuAction() = "LEAVE_USERS";
  }
}

void TReqUsers::Render2(float x, float y) {
  SetColor(255, 255, 255);
  DrawList(x, y);
  DrawScrollBar(x, y);
  DrawPrayerWheels();
  DrawButtons(x, y);
}

TReqEnterName::TReqEnterName() {
  SetImage("incbin::../gfx/yesno_requester.png", false);
  StrField = LoadImage("incbin::../gfx/name_requester.png");
}

void TReqEnterName::Render2(float x, float y) {
  DrawImage(StrField, x + 54, y + 129);
  SetColor(255, 255, 255);
  if (Type(MAX_NAME_WIDTH) == "KEY_ENTER" && Alpha >= 1) ButtonPressed("Ok");
  TextEntry::Draw(PrintableName(Caption), x + 56, y + 126);
  FontHeadline->Draw(YourNameCaption, x + 223, y + 75, true);
  if (ImageButton(Text("Ok"), int(x) + 233, int(y) + 207)) ButtonPressed("Ok");
}

void TReqEnterName::ButtonPressed(const std::string& name) {
  if (name == "Ok" && Alpha >= 1) CommitName();
}

void TReqEnterName::CommitName() {
  const std::string name = PrintableName(Caption);
  if (name.empty()) return;
  if (ChangeName) {
    if (ChangeId >= 0 && ChangeId < int(Users->UserList.size())) Users->UserList[size_t(ChangeId)]->Name = name;
  } else {
    Users->AddUser(name, 100, 80, 0, 0, 0, 0, true, true, true, true, "", 0, false);
  }
  std::string& action = MenuAction();
  if (action == "ADD_NEW_USER") {
    action = "USERS_SHOW";
    CurrentUserIndex = int(Users->UserList.size()) - 1;  // the new player becomes current
  } else if (action == "CHANGE_USER") {
    ChangeName = false;
    ChangeId = -1;
    action = "USERS_SHOW";
  }
  Users->SaveInBackground();
}
