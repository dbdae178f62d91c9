#include "bonus/bonus_tutorial.h"

#include "media/graphics.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "ui/widgets.h"

const char* const BonusTutorial::PAGE_TEXT[PAGES] = {
    "You can move the symbols around\nwith your mouse!",
    "To rotate tiles, use the keys A/S,\nthe right mousebutton\nor your mousewheel.",
    "Press the mouse button\nto fire the tiles\nto the top.",
    "If you match three or more\nsymbols of the same type in a\nrow, column or diagonal\nline they'll disappear.",
    "Try to remove all tiles\nthat have a floating\nYing-Yang-Symbol.",
};

BonusTutorial::BonusTutorial() {
  SetScaleFactor(1.3f, 1.3f);
  SetImage("incbin::../gfx/yesno_requester.png", false);
  icons = LoadAnimImage("incbin::../gfx/bonusgame/tutorial.png", 92, 92, 0, PAGES);
  Line = Text(PAGE_TEXT[0]);
}

void BonusTutorial::Render2(float x, float y) {
  SetColor(255, 255, 255);
  if (FontHeadline) FontHeadline->Draw(Text("How to play?"), x + 280, y + 75, true);
  DrawImage(icons, x + 80, y + 115, Stp);
  if (FontMain) FontMain->Draw(Line, x + 180, y + 110, false);
  if (Stp < PAGES - 1) {
    if (ImageButton(">>", int(x + 470), int(y + 270))) {
      Stp += 1;
      Line = Text(PAGE_TEXT[Stp]);
    }
  } else if (ImageButton(Text("Okay"), int(x + 280), int(y + 270))) {
    ButtonPressStr = "Exit";
  }
}

// The pages have no requester buttons of their own; the page buttons are drawn above.
void BonusTutorial::ButtonPressed(const std::string&) {}
