// The options: a small page machine (main page, graphics, audio, game, "Quit game?")
// whose owner calls Render every frame and watches CurrReq. Changes go straight into the
// player's profile; the owner saves the profiles when the options close.
#pragma once

#include "ui/requester.h"

#include <memory>
#include <string>

class TUser;

constexpr int R_MAIN = 0;
constexpr int R_GFX = 1;
constexpr int R_SFX = 2;
constexpr int R_GAMEPLAY = 3;
constexpr int R_BACK = 4;
constexpr int R_CLOSE = 5;
constexpr int R_BACKTOMAIN = 6;
constexpr int R_FADEOUT = 7;

// The audio page: two sliders and the song button.
class TReqOptions : public TRequester {
public:
  explicit TReqOptions(std::shared_ptr<TUser> user);
  std::string ButtonNamePressed;  // "OK" after "Okay"
  std::shared_ptr<TUser> User;
  ImagePtr Slider;

  void Render2(float x, float y) override;
  void ButtonPressed(const std::string& name) override;
};

class TOptions {
public:
  TOptions();
  int CurrReq = R_MAIN;
  ImagePtr RequesterImg;
  std::shared_ptr<TReqOptions> ReqOptions;
  std::shared_ptr<TUser> User;
  bool ShowBack = true;  // offer "Back to main menu"
  float Alpha = 0;

  // The title screen's reset before each showing: main page, no "Back to main menu",
  // the current player with sliders set from the volumes.
  void ResetForTitle();
  void Render(int x, int y);
  void RenderMain(int x, int y);
  void RenderGfx(int x, int y);
  void RenderSfx(int x, int y);
  void RenderGameplay(int x, int y);
  void RenderBack(int x, int y);
};

// Display names of a background, puzzle set and song ("" outside the tables).
std::string BackgroundName(int index);
std::string PuzzleSetName(int index);
std::string SongName(int index);
