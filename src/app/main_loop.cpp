#include "app/main_loop.h"

#include "app/shell.h"
#include "editor/editor_entry.h"
#include "game/game.h"
#include "levels/puzzle_set.h"
#include "media/debug.h"
#include "media/graphics.h"
#include "media/stream.h"
#include "players/highscore.h"
#include "players/users.h"
#include "present/language.h"
#include "present/sound.h"
#include "ui/intro.h"
#include "ui/level_select.h"
#include "ui/title_screen.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

void StopRain() {
  if (SFX) SFX->Stop(SFX_RAINLOOP);
}

// One visit of the main menu; skip leaves out the logo, the story and the title scene.
void VisitMenu(bool skip) {
  if (!TitleScreen) {
    TitleScreen = std::make_shared<TTitleScreen>();
    TitleScreen->LoadTitleData();
  }
  if (!Intro) Intro = std::make_shared<TIntro>();
  Intro->Run(skip);
}

[[noreturn]] void Quit() {
  DebugLog("Quit");
  Language->Write();
  Language = nullptr;
  FinishBackgroundWrites();
  std::fflush(nullptr);
  std::_Exit(0);
}

}  // namespace

bool PlayLevelSet() {
  DebugLog("------------ SET PROGRESS MAP = TRUE -------------");
  Users->GetCurrentUser()->ProgressMap = true;
  Users->SaveInBackground();
  { TReqLevelSelect selection; }
  bool completed = false;
  {
    TGame game;
    game.InitLevel(true);
    game.Play();
    completed = game.LevelSetCompleted;
  }
  Cls();
  ShowFrame();
  StopRain();
  if (!completed) THighscore();
  return completed;
}

void RunMainLoop(bool toSelection) {
  if (!toSelection) VisitMenu(false);
  LoadGameGfx();
  Intro = nullptr;

  bool replay = false;
  std::string action = toSelection ? "PLAY" : "";
  while (true) {
    StopRain();
    if (!replay) {
      // The menu may have changed the player; the current one's looks apply.
      const UserPtr user = Users->GetCurrentUser();
      LoadBackground(user->Selected_Background);
      LoadPuzzleSet(user->Selected_Puzzleset, true);
      if (TitleScreen) action = TitleScreen->Action;
      TitleScreen = nullptr;
    }
    Cls();
    ShowFrame();
    if (action == "QUIT") Quit();
    if (action == "PLAY") replay = PlayLevelSet();
    if (action == "LEVEL_EDITOR") RunLevelEditor();
    if (!replay) {
      VisitMenu(true);
      Intro = nullptr;
    }
  }
}
