// The wisdom screen before a level: one quotation picked at random from the quotation
// file's group of the game's language, revealed line by line over a picture. Its host
// loop fades it and ends it on a click.
#pragma once

#include "media/image.h"

#include <memory>
#include <string>

class TIni;

class Wisdomscreen {
public:
  // Throws std::runtime_error("Wisdoms.ini not found") when the file is missing.
  Wisdomscreen();
  // A quotation picked at random from this file's group of the game's language, or of
  // English when it has none ("" without either).
  explicit Wisdomscreen(std::shared_ptr<TIni> wisdoms);
  // A screen with a given quotation (no random pick), for tests and tools.
  explicit Wisdomscreen(const std::string& quotation);

  ImagePtr screen;
  int seek = -1;  // the line after the language's group header
  int anzahl = 0;
  std::shared_ptr<TIni> Wisdoms;
  int nummer = 0;
  std::string text;
  int lineno = -1;  // the line fading in
  int stp = 80;     // its fade step 0..100
  int lines = 0;    // line breaks found by the last layout

  void Render();
};
