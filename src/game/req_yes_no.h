// The two-button question box ("Yeah" / "No"), used for trying a level again and by the
// editor, which also shows messages in it. The owner clears ButtonPressStr before showing
// it and polls it each frame.
#pragma once

#include "ui/requester.h"

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
