#include "present/pointer.h"

#include "media/graphics.h"
#include "media/input.h"

#include <cmath>

std::shared_ptr<TPointer> MousePointer;

TPointer::TPointer() {
  Image = LoadAnimImage("incbin::../gfx/pointer.png", 32, 32, 0, 16, -1);
  SetImageHandle(Image, 0, 0);
}

int TPointer::Draw() {
  if (!Display) return 0;
  if (Hover) Frame = std::fmod(Frame + 0.5f, 15.0f);
  DrawImage(Image, float(MouseX() - 8), float(MouseY() - 2), int(Frame));
  return 0;
}

int TPointer::SetHover(bool flag) {
  Hover = flag;
  return 0;
}

void InitPointer() {
  static bool done = false;
  if (done) return;
  done = true;
  MousePointer = std::make_shared<TPointer>();
}
