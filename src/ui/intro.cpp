#include "ui/intro.h"

#include "app/shell.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/platform.h"
#include "media/random.h"
#include "present/butterfly.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "ui/credits.h"
#include "ui/title_screen.h"

#include <algorithm>
#include <sstream>

std::shared_ptr<TIntro> Intro;

namespace {

bool LineBreakAt(const std::string& text, size_t i) {
  return text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n';
}

int CharWidth(char c) { return FontHeadline->GetWidth(std::string(1, c)); }

// Lays the story out from top y0 and draws it; lines fade in at the bottom and out at the
// top. Returns the index of the last line.
int DrawStory(const std::string& text, float y0) {
  constexpr float WRAP = 550;
  int line = 0;
  float x = 0;
  for (size_t i = 0; i < text.size();) {
    if (LineBreakAt(text, i)) {
      ++line;
      x = 0;
      i += 2;
      continue;
    }
    // A word that would pass the wrap width starts a new line.
    float end = x;
    for (size_t j = i; j < text.size() && text[j] != ' ' && !LineBreakAt(text, j); ++j) end += float(CharWidth(text[j]));
    if (end > WRAP && x > 0) {
      ++line;
      x = 0;
    }
    const float y = y0 + float(line * FontHeadline->FrameHeight);
    SetAlpha(std::clamp(y > 330 ? (430 - y) / 50 : (y - 280) / 50, 0.0f, 1.0f));
    FontHeadline->Draw(std::string(1, text[i]), 77 + x, 2 + y, false);
    x += float(CharWidth(text[i]));
    ++i;
  }
  SetAlpha(1);
  return line;
}

}  // namespace

TIntro::TIntro() {
  OstravinLogo = LoadImage("incbin::../gfx/ostravin.png");
  if (!OstravinLogo) FatalError("ostravin.png not found!");
}

void TIntro::LoadFiles() {
  TitlePicture = LoadImage("incbin::../gfx/intro/tempel.png");
  BG = LoadImage("incbin::../gfx/intro/background.png");
  Wolken[0] = LoadImage("incbin::../gfx/intro/Wolkenlayer1_vor_tempel.png");
  Wolken[1] = LoadImage("incbin::../gfx/intro/Wolkenlayer2_vor_tempel.png");
  Wolken[2] = LoadImage("incbin::../gfx/intro/Wolkenlayer_hinter_tempel.png");
  MonkPic = LoadImage("incbin::../gfx/intro/intro.png");
  MainMenu = LoadImage("incbin::../gfx/mainmenu.png");
}

std::vector<std::string> TIntro::CreditLines() {
  std::vector<std::string> lines;
  std::istringstream text(Language->GetString(CREDITS_TEXT, {"version", QV_VERSION}));
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  if (lines.empty()) lines.push_back("");
  return lines;
}

void TIntro::FadeIn(const ImagePtr& image, float hold, float step) {
  float a = 0;
  do {
    Cls();
    SetAlpha(std::min(a, 1.0f));
    DrawImage(image, 0, 0);
    a += step;
    SetAlpha(1);
    ShowFrame(-1);
  } while (a < 1 + hold);
}

void TIntro::FadeOut(const ImagePtr& image, float step) {
  float a = 1;
  do {
    Cls();
    SetAlpha(std::max(a, 0.0f));
    DrawImage(image, 0, 0);
    a -= step;
    SetAlpha(1);
    ShowFrame(-1);
  } while (a > 0);
}

bool TIntro::Story() {
  float y0 = 430;
  float cover = 0.99f;
  bool done = false;
  bool cutShort = false;
  FlushMouse();
  FlushKeys();
  while (cover < 1) {
    Cls();
    SetBlend(BLEND_ALPHA);
    SetAlpha(1);
    SetColor(255, 255, 255);
    const bool clicked = MouseHit(MOUSE_LEFT) + MouseHit(MOUSE_RIGHT) > 0;
    if (clicked || GetChar() != 0) {
      done = true;
      cutShort = true;
    }
    if (done)
      cover += 0.01f;
    else if (cover > 0)
      cover -= 0.01f;
    DrawImage(MonkPic, 0, 0);
    y0 -= 0.6f;
    const int lastLine = DrawStory(StoryText, y0);
    // The last line has risen past y = 300.
    if (y0 + 130 < 430 - float(lastLine * FontHeadline->FrameHeight)) done = true;
    BlackCover(cover);
    ShowFrame(-1);
  }
  return cutShort;
}

void TIntro::TitleScene(bool skip) {
  float t = 0;                // the scene's fade
  float s = skip ? 0 : -480;  // the sky's slide
  bool arrived = skip;
  bool leaving = false;
  float c1 = -float(RandomInt(1, 400));
  float h1 = float(RandomInt(1, 120)), h2 = float(RandomInt(1, 120));
  float w1 = float(780 + RandomInt(1, 100));
  float c2 = -float(RandomInt(1, 300));
  float c3 = -float(RandomInt(1, 300));
  const int start = Millisecs();
  const std::vector<std::string> credits = CreditLines();
  size_t creditLine = 0;
  int k = 0;
  const std::string prompt = Language->GetString("Please press the left mousebutton!");

  while (true) {
    Cls();
    SetAlpha(1);
    if (!leaving && t < 1) t += s > -1 ? 0.01f : 0.0025f;
    DrawImage(BG, 0, s);
    if (!arrived && MouseHit(MOUSE_LEFT) > 0) leaving = true;
    if (s <= -1) {
      s += std::min(1.0f, std::max(0.1f, -s / 128));  // slowing over the last 128 pixels
      if (leaving) {
        t -= 0.005f;
        if (t < 0) {
          s = 0;
          arrived = true;
          leaving = false;
        }
      }
    } else if (leaving) {
      arrived = true;
      leaving = false;
    }

    SetBlend(BLEND_LIGHT);
    DrawImage(Wolken[2], c1, h1 + 2 * s);
    DrawImage(Wolken[2], c1 + w1, h2 + 2 * s);
    SetBlend(BLEND_ALPHA);
    c1 -= 0.2f;
    if (c1 < -w1) {
      c1 += w1;
      h1 = h2;
      h2 = float(RandomInt(1, 120));
      w1 = float(780 + RandomInt(1, 100));
    }
    DrawImage(TitlePicture, 0, std::max(0.425f * s, -204.0f));
    c2 -= 1.4f;
    if (c2 < -880) c2 += 880;
    SetBlend(BLEND_LIGHT);
    DrawImage(Wolken[0], c2, 210 + 2 * s);
    DrawImage(Wolken[0], c2 + 880, 210 + 2 * s);
    DrawImage(Wolken[0], c2, 710 + 2 * s);
    DrawImage(Wolken[0], c2 + 880, 710 + 3 * s);
    c3 -= 0.5f;
    if (c3 < -760) c3 += 760;
    DrawImage(Wolken[1], c3, 260 + 3 * s);
    DrawImage(Wolken[1], c3 + 760, 260 + 3 * s);
    DrawImage(Wolken[1], c3, 560 + 3 * s);
    DrawImage(Wolken[1], c3 + 760, 560 + 3 * s);
    SetBlend(BLEND_ALPHA);

    if (s >= -1 && arrived) {
      t -= 0.025f;
      if (t < 0) return;
    }
    // The prompt blinks every 0.75 seconds.
    if (!arrived && ((Millisecs() - start) / 750) % 2 == 0) {
      SetAlpha(1);
      FontMain->Draw(prompt, 320, 260, true);
    }
    // Each credit line shows for 150 frames after a 50-frame pause.
    k += 2;
    if (k > 400) {
      k = 0;
      creditLine = (creditLine + 1) % credits.size();
    }
    if (k > 100 && k <= 300) SetAlpha(std::min(float(k - 100) / 100, 1.0f));
    if (k > 300) SetAlpha(float(400 - k) / 100);
    if (k > 100) FontMain->Draw(credits[creditLine], 320, 420, true);
    SetAlpha(1);
    BlackCover(1 - t);
    ShowFrame(-1);
  }
}

void TIntro::HostMenu() {
  float m = 0;  // the menu's fade-in
  TButterfly butterflies[2];
  // The menu must run even when the story was cut short and the title scene skipped.
  TitleScreen->InitRun();
  while (true) {
    Cls();
    if (m < 1 && TitleScreen->TitleMenuState) m += 0.05f;
    SetBlend(BLEND_ALPHA);
    SetAlpha(1);
    SetColor(255, 255, 255);
    DrawImage(MainMenu, 0, 0);
    for (TButterfly& b : butterflies) b.Draw();
    if (m >= 1) TitleScreen->Run();
    if (!TitleScreen->TitleMenuState) return;
    BlackCover(m < 1 ? 1 - m : 1 - TitleScreen->Alpha);
    ShowFrame(-1);
  }
}

void TIntro::Run(bool skip) {
  if (!skip) FadeIn(OstravinLogo, 2.0f, 0.01f);
  LoadFiles();
  bool cutShort = false;
  if (!skip) {
    FadeOut(OstravinLogo, 0.01f);
    cutShort = Story();
  }
  if (!cutShort) TitleScene(skip);
  HostMenu();
}
