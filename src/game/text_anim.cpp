#include "game/text_anim.h"

#include "media/debug.h"
#include "media/graphics.h"
#include "present/bitmap_font.h"

namespace {

// A soft dark rim around the text and a shadow below it, so a white text reads over the
// white clouds of the backgrounds too. The rim is the text drawn faintly in black at the
// four diagonals of its place; where the copies overlap, near the letters, it is darkest.
// (Each copy is a full text draw, costly in the software renderer: four are enough.)
void DrawWithShadow(const std::string& text, float x, float y, float zoom) {
  constexpr float RIM = 2, SHADOW = 3, RIM_ALPHA = 0.35f, SHADOW_ALPHA = 0.45f;
  constexpr int AROUND[4][2] = {{-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
  const float alpha = GetAlpha();
  int r, g, b;
  GetColor(r, g, b);
  SetColor(0, 0, 0);
  SetAlpha(alpha * SHADOW_ALPHA);
  FontHeadline->Draw(text, x + SHADOW * zoom, y + SHADOW * zoom, true);
  SetAlpha(alpha * RIM_ALPHA);
  for (const auto& d : AROUND) FontHeadline->Draw(text, x + float(d[0]) * RIM * zoom, y + float(d[1]) * RIM * zoom, true);
  SetAlpha(alpha);
  SetColor(r, g, b);
  FontHeadline->Draw(text, x, y, true);
}

}  // namespace

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
  if (FontHeadline) DrawWithShadow(Caption, X, Y, Zoom);
  SetScale(sx, sy);
}
