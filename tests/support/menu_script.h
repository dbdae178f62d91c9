// Script steps for runs of the whole program from the intro: to the menu, and clicking a
// spot again and again until something has happened.
#pragma once

#include "media/input.h"
#include "media/script.h"
#include "ui/title_screen.h"

#include <functional>
#include <memory>
#include <string>

constexpr int START_X = 316, START_Y = 197;    // "Start game"
constexpr int EDITOR_X = 316, EDITOR_Y = 330;  // "Level editor"
constexpr int CHOOSE_X = 410, CHOOSE_Y = 350;  // the level-set selection's "Choose"
constexpr int MAP_EXIT_X = 570, MAP_EXIT_Y = 52;
constexpr int MAP_PLAY_X = 570, MAP_PLAY_Y = 420;
constexpr int HISCORE_OK_X = 320, HISCORE_OK_Y = 440;
constexpr int STORY_FRAME = 500;  // the logo takes 401 frames

inline bool MenuUp() { return TitleScreen && TitleScreen->TitleMenuState && TitleScreen->TextAlpha >= 1; }

// Skips the story with a click and waits for the menu.
inline Script& ToMenu(Script& s) { return s.Wait(STORY_FRAME).Click(320, 240).Until(MenuUp, 300, "menu"); }

// Clicks at (x, y) every 40 frames until pred holds.
inline Script& ClickUntil(Script& s, int x, int y, std::function<bool()> pred, int maxFrames, std::string what) {
  auto frame = std::make_shared<int>(0);
  return s.Until(
      [=] {
        if (pred()) return true;
        const int n = (*frame)++ % 40;
        if (n == 0) {
          InjectMouseMove(x, y);
          InjectMouseButton(MOUSE_LEFT, true);
        } else if (n == 1) {
          InjectMouseButton(MOUSE_LEFT, false);
        }
        return false;
      },
      maxFrames, what);
}
