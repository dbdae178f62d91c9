#include "game/text_anim.h"

#include "media/debug.h"
#include "media/graphics.h"
#include "present/bitmap_font.h"

void TextAnim::Set(const std::string& caption, float x, float y) {
  Caption = caption;
  X = x;
  Y = y;
}

void TextAnim::Render() {
  float sx, sy;
  GetScale(sx, sy);
  if (Zoom <= 1 && ShowDelay > 0) {
    Zoom += Speed;
  } else if (ShowDelay > 0) {
    ShowDelay -= 1;
  } else if (Zoom >= 0) {
    Zoom -= Speed;
  } else {
    Destroy = true;
    DebugLog("Destroyed: " + Caption);
  }
  SetScale(Zoom, Zoom);
  if (FontHeadline) FontHeadline->Draw(Caption, X, Y, true);
  SetScale(sx, sy);
}
