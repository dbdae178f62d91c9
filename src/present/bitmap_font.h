// Bitmap fonts: a strip of pre-rendered glyphs (character code c is frame c − 31) and a
// ".fnt" descriptor with the cell size and an advance width and height per character.
// Texts split into lines at LF; only codes 31..254 are drawn and measured. The game only
// loads the four shipped fonts; they are baked by the asset generator, so the authoring
// operation is not part of the game.
#pragma once

#include "media/image.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

class TBitmapFont {
public:
  static constexpr float AUTOLINE = 1.25f;  // line step = height of code 31 × AUTOLINE

  ImagePtr FontImage;
  std::array<int, 255> CharW{};  // index c − 31
  std::array<int, 255> CharH{};
  int FrameWidth = 0;
  int FrameHeight = 0;
  int Frames = 0;

  int LoadFnt(const std::string& url);
  // Must follow LoadFnt, whose cell size and frame count it uses.
  int LoadBitmap(const std::string& url);
  int GetHeight(const std::string& text) const;
  int GetWidth(const std::string& text) const;
  // The text as it fits into maxWidth pixels: unchanged when it does, else cut short and
  // ended with ".." (only ".." when not even one character fits). For one line of text.
  std::string Shortened(const std::string& text, int maxWidth) const;
  // Top-left of the first line at (x, y), or with centre set the centre of each line.
  // Colour, alpha, blend, rotation and scale are the caller's.
  int Draw(const std::string& text, float x, float y, bool centre) const;
};
using BitmapFontPtr = std::shared_ptr<TBitmapFont>;

// Sees every Draw call (the font, the text and its position as asked for): tests check
// with it which texts a screen shows. None by default.
using TextObserver = std::function<void(const TBitmapFont& font, const std::string& text, float x, float y, bool centre)>;
void SetTextObserver(TextObserver observer);

extern BitmapFontPtr FontHeadline;
extern BitmapFontPtr FontHeadlineHover;
extern BitmapFontPtr FontMain;
extern BitmapFontPtr FontMainHover;

// Creates and loads the four shared fonts once; the shell calls it during start-up.
void InitFonts();
