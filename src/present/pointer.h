// The drawn mouse pointer shared by every screen. Its tip sits 8 pixels right and 2
// down from the strip's corner; while a widget under it sets Hover it animates. The
// shell's input poll switches Hover off and Display on each frame.
#pragma once

#include "media/image.h"

#include <memory>

class TPointer {
public:
  TPointer();  // loads the 16-frame strip

  ImagePtr Image;
  float Frame = 0;
  bool Hover = false;
  bool Display = true;

  int Draw();
  int SetHover(bool flag);
};

extern std::shared_ptr<TPointer> MousePointer;

// Creates MousePointer once (part of the shared resources at start-up).
void InitPointer();
