// Which texts a screen shows, and where. WhereDrawn finds the pixels of a text of the
// string table: a frame is drawn twice, once as it is and once with the text's entry
// blanked, and the pixels that differ are the text's. DrawnTexts records every text the
// fonts are asked to draw (also those that bypass the string table, such as numbers).
#pragma once

#include <functional>
#include <string>
#include <vector>

class TBitmapFont;

struct DrawnBox {
  int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; empty when right < left
  bool Empty() const { return right < left; }
  int CentreX() const { return (left + right) / 2; }
  int CentreY() const { return (top + bottom) / 2; }
};

// drawFrame draws one whole frame (it is called twice and must draw the same both times
// but for the text). key is the English text as the code fetches it.
DrawnBox WhereDrawn(const std::string& key, const std::function<void()>& drawFrame);

// Records the fonts' Draw calls while it lives.
class DrawnTexts {
public:
  struct Entry {
    const TBitmapFont* font;
    std::string text;
    float x, y;
    bool centre;
    float alpha;  // the drawing alpha in force
  };
  DrawnTexts();
  ~DrawnTexts();
  DrawnTexts(const DrawnTexts&) = delete;
  DrawnTexts& operator=(const DrawnTexts&) = delete;

  // The first entry with exactly this text, or null.
  const Entry* Find(const std::string& text) const;
  bool Has(const std::string& text) const { return Find(text) != nullptr; }
  std::vector<Entry> entries;
};
