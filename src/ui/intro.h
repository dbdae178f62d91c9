// The way into the main menu: the maker's logo, the story scrolling over a picture, the
// animated title scene (sky sliding in, drifting clouds, the temple, blinking prompt and
// credits), then the main-menu picture hosting the title screen's menu frame by frame.
// Later visits skip straight to the menu. Each visit makes a new TIntro.
#pragma once

#include "media/image.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class TIntro {
public:
  // Loads the logo; without it the program stops with "ostravin.png not found!".
  TIntro();

  ImagePtr OstravinLogo;
  ImagePtr TitlePicture;  // the temple
  ImagePtr BG;            // the sky
  // 0 and 1 drift in front of the temple, 2 behind it.
  std::array<ImagePtr, 3> Wolken;
  ImagePtr MonkPic;   // backdrop of the story
  ImagePtr MainMenu;  // backdrop of the menu

  void LoadFiles();
  // Returns when the title screen's menu is done; its Action holds the result.
  void Run(bool skip);
  void FadeIn(const ImagePtr& image, float hold, float step);
  void FadeOut(const ImagePtr& image, float step);

  // The credit lines with the version filled in.
  static std::vector<std::string> CreditLines();
  // The title scene: the sky slides in (skip: it stands there already) with the clouds,
  // the temple, the prompt and the credits; a click ends it. LoadFiles must have run.
  void TitleScene(bool skip);

private:
  // true when the player cut the story short.
  bool Story();
  void HostMenu();
};

extern std::shared_ptr<TIntro> Intro;
