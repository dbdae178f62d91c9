#include "ui/widgets.h"

#include "app/shell.h"
#include "media/graphics.h"
#include "media/input.h"
#include "present/bitmap_font.h"
#include "present/pointer.h"
#include "present/sound.h"

#include <algorithm>

int NextWidget() { return ++WidgetCounter; }

WidgetPress WidgetBehavior(int n, bool hovered, bool canPress, bool cancelOnLeave) {
  WidgetPress result;
  if (n < 0 || n >= int(WidgetHover.size())) return result;
  uint8_t& flag = WidgetHover[size_t(n)];
  if (hovered && ClickLatch[0] && canPress) {
    flag = 1;
    if (SFX) SFX->Play(SFX_CLICK);
  }
  if (flag && !hovered && cancelOnLeave) flag = 0;
  result.pressed = flag != 0;
  if (flag && !MouseDown(MOUSE_LEFT)) {
    flag = 0;
    result.fired = hovered;
  }
  return result;
}

namespace {

// 0 idle, 1 hovered, 2 pressed down over it.
int ButtonState(int x, int y, int halfW, int halfH, bool disabled) {
  if (disabled) return 0;
  const int mx = MouseX(), my = MouseY();
  if (!(x - halfW < mx && mx < x + halfW && y - halfH < my && my < y + halfH)) return 0;
  if (MousePointer) MousePointer->SetHover(true);
  return MouseDown(MOUSE_LEFT) ? 2 : 1;
}

void DrawCaption(const std::string& text, int x, int y, int state) {
  if (state == 0) {
    if (FontMainHover) FontMainHover->Draw(text, float(x - 5), float(y - 5), true);
  } else {
    const int push = state == 2 ? 2 : 0;
    if (FontMain) FontMain->Draw(text, float(x - 5 + push), float(y - 5 + push), true);
  }
}

}  // namespace

bool TextButton(const std::string& text, int x, int y) {
  const int n = NextWidget();
  const int halfW = FontMain ? FontMain->GetWidth(text) / 2 : 0;
  const int halfH = FontMain ? FontMain->FrameHeight / 2 : 0;
  const int state = ButtonState(x, y, halfW, halfH, false);
  DrawCaption(text, x, y, state);
  return WidgetBehavior(n, state != 0).fired;
}

bool ImageButton(const std::string& text, int x, int y, bool disabled) {
  const int n = NextWidget();
  const int state = ButtonState(x, y, 61, 30, disabled);
  const float alpha = GetAlpha();
  if (disabled) SetAlpha(alpha / 2);
  DrawImage(DefaultButton, float(x), float(y), state);
  SetScale(1, 1);
  DrawCaption(text, x, y, state);
  SetAlpha(alpha);
  const WidgetPress press = WidgetBehavior(n, state != 0);
  return press.fired && !disabled;
}

void DrawClipped(const ImagePtr& image, float x, float y, int frame, int cx, int cy, int cw, int ch) {
  int vx, vy, vw, vh;
  GetViewport(vx, vy, vw, vh);
  const int left = std::max(cx, vx), top = std::max(cy, vy);
  const int right = std::min(cx + cw, vx + vw), bottom = std::min(cy + ch, vy + vh);
  if (right <= left || bottom <= top) return;
  SetViewport(left, top, right - left, bottom - top);
  DrawImage(image, x, y, frame);
  SetViewport(vx, vy, vw, vh);
}
