#include "ui/title_screen.h"

#include "app/shell.h"
#include "game/req_yes_no.h"
#include "media/desktop.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/platform.h"
#include "players/highscore.h"
#include "players/users.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "present/pointer.h"
#include "present/sound.h"
#include "ui/options.h"
#include "ui/player_requesters.h"
#include "ui/widgets.h"

#include <algorithm>
#include <cmath>

std::shared_ptr<TTitleScreen> TitleScreen;

namespace {

constexpr float PI = 3.14159265358979f;
constexpr int GREETING_WIDTH = 250;  // wider lines would reach "Highscore"
constexpr int LIST_X = 62, LIST_Y = 25;          // the player list
constexpr int QUESTION_X = 91, QUESTION_Y = 100;  // the delete question, centred
constexpr int QUESTION_TEXT_WIDTH = 400;

void PlayClick() {
  if (SFX) SFX->Play(SFX_CLICK);
}

// "Welcome, $name!", a very long name shortened so the line stays clear of the menu.
std::string Greeting(const std::string& name) {
  const int rest = FontMain->GetWidth(Language->GetString("Welcome, $name!", {"name", ""}));
  const std::string shown = FontMain->Shortened(PrintableName(name), GREETING_WIDTH - rest);
  return Language->GetString("Welcome, $name!", {"name", shown});
}

bool Inside(int mx, int my, int left, int top, int right, int bottom) {
  return left < mx && mx < right && top < my && my < bottom;
}

}  // namespace

TTitleScreen::TTitleScreen() {
  AutoMidHandle(true);
  Fan = LoadImage("incbin::../gfx/fan.png");
  TangramFont[0] = LoadImage("incbin::../gfx/titlefont.png");
  TangramFont[1] = LoadImage("incbin::../gfx/titlefont_mask.png");
  AutoMidHandle(false);
  // The file is the truth between menu visits; load it before anything takes a player.
  Users->Load();
  NameReq = std::make_shared<TReqEnterName>();
  NameReq->Alpha = 0;
  ReqOptions = std::make_shared<TOptions>();
  ReqUsers = std::make_shared<TReqUsers>();
  DeleteReq = std::make_shared<TReqYesNo>();
  DeleteReq->Alpha = 0;
}

void TTitleScreen::LoadTitleData() {}

void TTitleScreen::InitRun() { TitleMenuState = true; }

void TTitleScreen::AskToDelete(const UserPtr& user) {
  if (!user) return;
  DeleteCandidate = user;
  const std::string name = FontMain->Shortened(PrintableName(user->Name), QUESTION_TEXT_WIDTH);
  DeleteReq->Line1 = Text("Delete player?");
  DeleteReq->Line2 = Text("$name\nand all progress will be lost.", {"name", name});
  DeleteReq->ButtonPressStr.clear();
  Action = "DELETE_USER";
}

bool TTitleScreen::DrawMenuItem(const std::string& text, int x, int y, float scale) {
  const int n = NextWidget();
  SetScale(scale, scale);
  const int halfW = int(float(FontHeadline->GetWidth(text)) * scale / 2);
  const int halfH = int(float(FontHeadline->FrameHeight) * scale / 2);
  if (n < int(WidgetHover.size()) && WidgetHover[size_t(n)]) {
    x += 2;  // the pressed look
    y += 2;
  }
  const int mx = MouseX(), my = MouseY();
  const bool hovered = Inside(mx, my, x - halfW, y - halfH, x + halfW, y + halfH);
  if (hovered) {
    FontHeadlineHover->Draw(text, float(x), float(y), true);
    if (MousePointer) MousePointer->SetHover(true);
  } else {
    FontHeadline->Draw(text, float(x), float(y), true);
  }
  SetScale(1, 1);
  // An entry keeps its press while the pointer wanders; only the release decides.
  const WidgetPress press = WidgetBehavior(n, hovered, TextAlpha >= 1, false);
  return press.fired && Action.empty();
}

void TTitleScreen::DrawLogo() {
  if (FontState < 0) {
    FontState += 0.05f;
  } else if (FontState < 1) {
    FontState += 0.1f;
    SetAlpha(FontState);
    DrawImage(TangramFont[1], 318, 80);
  } else if (FontState < 2) {
    FontState += 0.1f;
    SetAlpha(1);
    DrawImage(TangramFont[1], 318, 80);
    SetAlpha(FontState - 1);
    DrawImage(TangramFont[0], 318, 80);
  } else {
    SetAlpha(1);
    DrawImage(TangramFont[0], 318, 80);
  }
}

bool TTitleScreen::RenderNameRequester() {
  if (Action == "ADD_NEW_USER" || Action == "CHANGE_USER") {
    if (NameReq->Alpha < 1) NameReq->Alpha += 0.05f;
    if (ReqUsers->Alpha > 0) {
      ReqUsers->Alpha -= 0.05f;
      ReqUsers->Render(LIST_X, LIST_Y);
    }
    NameReq->Render(105, 115);
    return true;
  }
  if (NameReq->Alpha > 0) {
    NameReq->Alpha -= 0.05f;
    NameReq->Render(105, 115);
    return true;
  }
  return false;
}

bool TTitleScreen::RenderDeleteQuestion() {
  if (Action == "DELETE_USER") {
    if (DeleteReq->Alpha < 1) DeleteReq->Alpha += 0.05f;
    if (ReqUsers->Alpha > 0) {
      ReqUsers->Alpha -= 0.05f;
      ReqUsers->Render(LIST_X, LIST_Y);
    }
    DeleteReq->Render(QUESTION_X, QUESTION_Y);
    if (DeleteReq->Alpha < 1) DeleteReq->ButtonPressStr.clear();  // no answer before it is fully shown
    if (DeleteReq->ButtonPressStr == "YES") {
      const auto& list = Users->UserList;
      const auto it = std::find(list.begin(), list.end(), DeleteCandidate);
      if (it != list.end()) Users->RemoveUserNo(int(it - list.begin()));
    }
    if (!DeleteReq->ButtonPressStr.empty()) {
      DeleteCandidate = nullptr;
      Action = "USERS_SHOW";
    }
    return true;
  }
  if (DeleteReq->Alpha > 0) {
    DeleteReq->Alpha -= 0.05f;
    DeleteReq->Render(QUESTION_X, QUESTION_Y);
    return true;
  }
  return false;
}

bool TTitleScreen::TextArea(const std::string& line1, int x1, int y1, const std::string& line2, int x2, int y2,
                            int left, int top, int right, int bottom) {
  const bool hovered = Inside(MouseX(), MouseY(), left, top, right, bottom);
  const BitmapFontPtr& font = hovered ? FontMainHover : FontMain;
  if (hovered && MousePointer) MousePointer->SetHover(true);
  font->Draw(line1, float(x1), float(y1), true);
  if (!line2.empty()) font->Draw(line2, float(x2), float(y2), true);
  if (hovered && ClickLatch[0] && TextAlpha >= 1) {
    PlayClick();
    return true;
  }
  return false;
}

void TTitleScreen::DrawMenuTexts(int c) {
  if (Action == "QUIT") {
    FontState -= 0.2f;
    TextAlpha -= 0.05f;
    if (TextAlpha < 0) Alpha -= 0.05f;
    if (Alpha < 0) TitleMenuState = false;
  } else if (TextAlpha < 1 && Action.empty()) {
    TextAlpha += 0.05f;
  }
  SetAlpha(TextAlpha);

  // A wide greeting moves right just enough to stay on the screen.
  const std::string greeting = Greeting(Users->GetCurrentUser()->Name);
  const int greetingX = std::max(109, FontMain->GetWidth(greeting) / 2 + 4);
  if (TextArea(greeting, greetingX, 394 + c, Text("Change player"), 109, 420 + c, 7, 373, 198, 473)) Action = "USERS";
  if (TextArea(Text("Quit"), 537, 410 - c, "", 0, 0, 471, 378, 597, 460)) Action = "QUIT";
  if (DrawMenuItem(Text("Start game"), 316, 197, 1.0f)) Action = "PLAY";
  if (DrawMenuItem(Text("Preferences"), 316, 290, 0.6f)) Action = "OPTIONS";
  if (DrawMenuItem(Text("Level editor"), 316, 330, 0.6f)) Action = "LEVEL_EDITOR";
  if (DrawMenuItem(Text("Highscore"), 316, 370, 0.6f)) Action = "HIGHSCORE";
  // A level set dropped onto the window: the level-set selection imports and shows it.
  if (Action.empty() && TextAlpha >= 1 && OpenedFilePending()) Action = "PLAY";
}

void TTitleScreen::Transitions() {
  if (Action == "OPTIONS") {
    if (TextAlpha > 0) TextAlpha -= 0.05f;
    if (TextAlpha <= 0) {
      Action = "OPTIONS_SHOW";
      ReqOptions->ResetForTitle();
    }
  }
  if (Action == "USERS") {
    if (TextAlpha > 0) TextAlpha -= 0.1f;
    if (TextAlpha <= 0) {
      Action = "USERS_SHOW";
      ReqUsers->Alpha = 0;
    }
  }
  if (Action == "HIGHSCORE") {
    if (TextAlpha > 0) TextAlpha -= 0.05f;
    if (Alpha > 0) Alpha -= 0.05f;
    if (Alpha <= 0) {
      THighscore();
      Action = "FADE_IN";
    }
  }
  if (Action == "OPTIONS_SHOW") {
    const float alpha = GetAlpha();
    SetAlpha(1);
    ReqOptions->Render(100, 50);
    SetAlpha(alpha);
    if (ReqOptions->CurrReq == R_CLOSE) Action = "LEAVE_OPTIONS";
  }
  if (Action == "LEAVE_OPTIONS") {
    if (TextAlpha < 1) TextAlpha += 0.05f;
    if (TextAlpha >= 1) {
      Action = "";
      Users->SaveInBackground();
    }
  }
  if (Action == "LEAVE_USERS") {
    if (ReqUsers->Alpha > 0) {
      ReqUsers->Alpha -= 0.05f;
      ReqUsers->Render(LIST_X, LIST_Y);
    }
    if (ReqUsers->Alpha <= 0) Action = "";
  }
  if (Action == "USERS_SHOW") {
    if (ReqUsers->Alpha < 1) ReqUsers->Alpha += 0.05f;
    ReqUsers->Render(LIST_X, LIST_Y);
  }
}

int TTitleScreen::Run() {
  if (!TitleMenuState) return 0;
  PollInput();
  // The fans bob gently, one up while the other goes down.
  const int c = int(7 * std::sin(float(Millisecs() / 5) * PI / 180));
  SetAlpha(TextAlpha);
  DrawImage(Fan, 109, float(444 + c));
  DrawImage(Fan, 537, float(434 - c));
  SetAlpha(Alpha);
  Users->GetCurrentUser();  // an emptied player list gets its default player here

  if (Action == "FADE_IN") {
    Alpha += 0.05f;
    if (Alpha >= 1) Action = "";
  }
  if (Action == "LEVEL_EDITOR" || Action == "PLAY") {
    Alpha -= 0.05f;
    TextAlpha -= 0.05f;
    if (Alpha <= 0) TitleMenuState = false;
  }
  DrawLogo();
  if (!RenderNameRequester() && !RenderDeleteQuestion()) {
    DrawMenuTexts(c);
    Transitions();
  }
  SetAlpha(1);
  if (MousePointer) MousePointer->Draw();
  return 0;
}
