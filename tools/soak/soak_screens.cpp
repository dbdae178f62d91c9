#include "soak_screens.h"

#include "ui/title_screen.h"

namespace {

bool Menu(const char* action) { return TitleScreen && TitleScreen->TitleMenuState && TitleScreen->Action == action; }

}  // namespace

const std::vector<SoakScreen>& SoakScreens() {
  // Spots shared by the requesters and message boxes: "Okay", "Yeah" / "No", the tray.
  static const std::vector<SoakPoint> BOXES = {{363, 330}, {363, 365}, {240, 330}, {480, 330}, {552, 120},
                                               {552, 250}, {552, 380}};
  static const std::vector<SoakScreen> screens = {
      {"intro", "../gfx/intro/tempel.png", nullptr, {{320, 240}}},
      {"title menu", "", [] { return Menu(""); },
       {{316, 197}, {316, 290}, {316, 330}, {316, 370}, {109, 420}, {537, 410}}},
      {"options", "", [] { return Menu("OPTIONS_SHOW"); }, {{200, 150}, {320, 240}, {440, 330}, {320, 400}}},
      {"player list", "", [] { return Menu("USERS_SHOW"); }, {{150, 120}, {300, 300}, {450, 380}, {560, 400}}},
      {"name entry", "", [] { return Menu("ADD_NEW_USER") || Menu("CHANGE_USER"); }, {{300, 160}, {400, 200}}},
      {"high scores", "../gfx/hiscore.png", nullptr, {{320, 440}}},
      {"level-set selection", "../gfx/levelselector_screen.png", nullptr,
       {{200, 150}, {200, 200}, {200, 250}, {450, 420}, {560, 420}}},
      {"game", "../gfx/rolle/pergament.png", nullptr, BOXES},
      {"progress map", "../gfx/card.png", nullptr, {{320, 440}}},
      {"tutorial", "../gfx/tutorial/bg.png", nullptr, {{495, 355}, {305, 355}}},
      {"wisdom", "../gfx/wisdoms.jpg", nullptr, {{320, 240}}},
      {"bonus stage", "../gfx/bonusgame/tiles.png", nullptr, {{165, 300}, {245, 300}, {325, 300}, {405, 300}}},
      {"end screen", "../gfx/end.png", nullptr, {{320, 240}}},
      {"editor set chooser", "../gfx/levelselector_requester.png", nullptr,
       {{475, 180}, {475, 360}, {260, 160}, {260, 200}, {260, 240}}},
      {"level editor", "../gfx/editor/icons.png", nullptr,
       {{47, 339}, {92, 339}, {47, 394}, {92, 394}, {47, 449}, {615, 53}, {300, 200}, {552, 120}, {552, 250}}},
  };
  return screens;
}

void KeepTheGameRunning() {
  if (TitleScreen && TitleScreen->Action == "QUIT") TitleScreen->Action = "";
}
