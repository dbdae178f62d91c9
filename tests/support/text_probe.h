// Where a text of the string table shows on the screen: a frame is drawn twice, once as
// it is and once with the text's entry blanked, and the pixels that differ are where
// the text was drawn. Tests use it to check which texts a screen shows, and where.
#pragma once

#include <functional>
#include <string>

struct DrawnBox {
  int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; empty when right < left
  bool Empty() const { return right < left; }
  int CentreX() const { return (left + right) / 2; }
  int CentreY() const { return (top + bottom) / 2; }
};

// drawFrame draws one whole frame (it is called twice and must draw the same both times
// but for the text). key is the English text as the code fetches it.
DrawnBox WhereDrawn(const std::string& key, const std::function<void()>& drawFrame);
