#include "editor/editor_dialogs.h"

#include "app/shell.h"
#include "game/req_yes_no.h"
#include "media/graphics.h"

void BeginBackdropFrame() {
  Cls();
  PollInput();
  SetAlpha(1);
  SetColor(255, 255, 255);
  if (Background) DrawImage(Background, 0, 0);
  BlackCover(0.6f);
}

std::string AskPlayer(const std::string& line1, const std::string& line2, bool okayOnly) {
  return AskYesNo(BeginBackdropFrame, line1, line2, okayOnly);
}
