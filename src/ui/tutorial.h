// The six-page tutorial before the first level of a set: a screenshot, a short text and a
// small animation of the pointer and a piece acting out each step. "<<" and ">>" leaf,
// "Play" leaves (with a fade to black).
#pragma once

#include "media/image.h"

#include <string>

class Tutorial {
public:
  Tutorial();
  ImagePtr bg, Screen0, MovingArrow, Screen1, MyPointer, MyTile, click, Screen6, flash;

  // Word-wrapped text in the text box; backslash-n breaks the line.
  void DrawTutText(const std::string& text);
  // The rows that text takes in the box (three fit).
  static int TextRows(const std::string& text);
  // The page texts, as the string table's keys.
  static const char* const PAGE_TEXT[6];
  int Display();
  // One frame of page p's screenshot and animation at counter c (angle: page 2's turn).
  void DrawPage(int page, int& c, float& angle);
};
