// The editor's two property panels for the level being edited: the puzzle options
// (stage modes, game mode) and the bonus-game options (shot time, bombs, jokers,
// difficulty). Each option is a caption that shows its value and steps it on a click;
// changes go straight into the level's properties. "Okay" closes the panel.
#pragma once

#include "media/image.h"

class TLevelProperties;

class TLvlOptions {
public:
  static constexpr int PAGE_EXIT = -1, PAGE_MAIN = 0;

  TLvlOptions();

  ImagePtr RequesterImg;
  int Page = PAGE_MAIN;  // PAGE_EXIT once "Okay" was clicked; the editor then closes it

  void Render(int level);

  // One click on the game-mode caption: Enlightenment → Meditation → Default → Enlightenment.
  static void NextGameMode(TLevelProperties& props);
};

class TBonusLvlOptions {
public:
  static constexpr int PAGE_EXIT = -1, PAGE_MAIN = 0;

  TBonusLvlOptions();

  ImagePtr RequesterImg;
  int Page = PAGE_MAIN;

  void Render(int level);
};
