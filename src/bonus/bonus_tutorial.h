// The five-page "How to play?" box shown before a player's first bonus game: a picture
// and a text per page, ">>" to turn the page and "Okay" on the last one. The game draws
// it every frame while it is due and closes it once ButtonPressStr is "Exit".
#pragma once

#include "media/image.h"
#include "ui/requester.h"

#include <string>

class BonusTutorial : public TRequester {
public:
  static constexpr int PAGES = 5;
  static const char* const PAGE_TEXT[PAGES];  // the pages' texts, as keys

  BonusTutorial();

  std::string ButtonPressStr;  // "Exit" once the player has read the last page
  ImagePtr icons;              // one 92×92 picture per page
  std::string Line;            // the text of the current page
  int Stp = 0;                 // current page; it never goes back

  void Render2(float x, float y) override;
  void ButtonPressed(const std::string& name) override;
};
