// The two-button question box ("Yeah" / "No"), used for trying a level again and by the
// editor, which also shows messages in it. The owner clears ButtonPressStr before showing
// it and polls it each frame.
#pragma once

#include "ui/requester.h"

#include <functional>

class TReqYesNo : public TRequester {
public:
  TReqYesNo();
  std::string Line1;  // headline
  std::string Line2;  // body
  std::string ButtonPressStr;  // "", then "YES" or "NO" ("OK" for a message)
  bool OkayOnly = false;       // a message with a single "Okay" button

  void Render2(float x, float y) override;
  void ButtonPressed(const std::string& name) override;
};

// Shows the box at (150, 100) until it is answered and returns the answer ("YES", "NO",
// or "OK" for a message). backdrop starts each frame: it clears, polls the input and
// draws what lies behind the box.
std::string AskYesNo(const std::function<void()>& backdrop, const std::string& line1, const std::string& line2,
                     bool okayOnly);
