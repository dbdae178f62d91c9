// The typing rules the name requesters share: a held Backspace deletes one character
// every 11 frames (the first at once), a typed character is appended while the text is
// narrower than the limit, and the text is drawn with a blinking cursor.
#pragma once

#include <string>

struct TextEntry {
  std::string Caption;
  int CursorCount = 0;  // blink counter, 0..50: the cursor shows in 25 of 51 frames
  int LastTime = 0;     // frames until Backspace may delete again

  // One frame of typing; returns what GetTypedKey read ("KEY_ENTER", a character, …).
  std::string Type(int maxWidth);
  // The shown text at (x, y) in the main font, then the cursor after it.
  void Draw(const std::string& shown, float x, float y) const;
};
