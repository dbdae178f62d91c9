#include "editor/editor_dialogs.h"

#include "app/shell.h"
#include "game/req_yes_no.h"
#include "media/graphics.h"
#include "present/pointer.h"

void BeginBackdropFrame() {
  Cls();
  PollInput();
  SetAlpha(1);
  SetColor(255, 255, 255);
  if (Background) DrawImage(Background, 0, 0);
  BlackCover(0.6f);
}

std::string AskPlayer(const std::string& line1, const std::string& line2, bool okayOnly) {
  TReqYesNo question;
  question.Line1 = line1;
  question.Line2 = line2;
  question.OkayOnly = okayOnly;
  while (question.ButtonPressStr.empty()) {
    BeginBackdropFrame();
    question.Render(150, 100);
    if (MousePointer) MousePointer->Draw();
    ShowFrame();
  }
  return question.ButtonPressStr;
}
