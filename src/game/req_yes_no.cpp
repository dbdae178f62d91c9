#include "game/req_yes_no.h"

#include "app/shell.h"
#include "media/graphics.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "present/pointer.h"
#include "ui/widgets.h"

#include <cmath>

TReqYesNo::TReqYesNo() { SetImage("incbin::../gfx/yesno_requester.png", false); }

void TReqYesNo::Render2(float x, float y) {
  SetColor(255, 255, 255);
  if (FontHeadline) FontHeadline->Draw(Line1, x + 230, y + 65, true);
  if (FontMain) FontMain->Draw(Line2, x + 230, y + 115, true);
  const int by = int(std::lround(y + 210));
  if (OkayOnly) {
    if (ImageButton(Language->GetString("Okay"), int(std::lround(x + 230)), by, false)) ButtonPressed("OK");
    return;
  }
  if (ImageButton(Language->GetString("Yeah"), int(std::lround(x + 110)), by, false)) ButtonPressed("YES");
  if (ImageButton(Language->GetString("No"), int(std::lround(x + 350)), by, false)) ButtonPressed("NO");
}

void TReqYesNo::ButtonPressed(const std::string& name) {
  if (name == "YES" || name == "NO" || name == "OK") ButtonPressStr = name;
}

std::string AskYesNo(const std::function<void()>& backdrop, const std::string& line1, const std::string& line2,
                     bool okayOnly) {
  TReqYesNo question;
  question.Line1 = line1;
  question.Line2 = line2;
  question.OkayOnly = okayOnly;
  while (question.ButtonPressStr.empty()) {
    backdrop();
    question.Render(150, 100);
    if (MousePointer) MousePointer->Draw();
    ShowFrame();
  }
  return question.ButtonPressStr;
}
