#include "ui/requester.h"

#include "app/shell.h"
#include "media/graphics.h"
#include "media/input.h"
#include "present/pointer.h"

#include <algorithm>
#include <stdexcept>

void TRequester::SetScaleFactor(float xf, float yf) {
  xfac = xf;
  yfac = yf;
}

void TRequester::SetImage(const std::string& source, bool strip) {
  AutoMidHandle(false);
  if (!strip) {
    RequesterImage = LoadImage(source);
    return;
  }
  ImagePtr whole = LoadImage(source);
  if (!whole) throw std::runtime_error(source);
  RequesterImage = LoadAnimImage(source, whole->width / 3, whole->height, 0, 3);
  if (!RequesterImage) throw std::runtime_error(source);
}

void TRequester::SetButtonValue(const std::string& name, int value) {
  for (auto& b : ButtonList)
    if (b->name == name) {
      b->value = value;
      return;
    }
}

int TRequester::GetButtonValue(const std::string& name) const {
  for (const auto& b : ButtonList)
    if (b->name == name) return b->value;
  return 0;
}

void TRequester::AddButton(const std::string& name, int x, int y, int w, int h, bool draw, bool slider,
                           int value, ImagePtr sliderbutton) {
  auto b = std::make_shared<TReqButton>();
  b->name = name;
  b->x = x;
  b->y = y;
  b->w = w;
  b->h = h;
  b->draw = draw;
  b->slider = slider;
  b->value = value;
  b->sliderbutton = std::move(sliderbutton);
  ButtonList.push_back(b);
}

void TRequester::Render2(float, float) {}
void TRequester::ButtonDown(const std::string&) {}

void TRequester::Render(float x, float y) {
  const float alpha = GetAlpha();
  SetAlpha(Alpha);
  SetScale(xfac, yfac);
  DrawImage(RequesterImage, x, y, 0);
  SetScale(1, 1);
  int vx, vy, vw, vh;
  GetViewport(vx, vy, vw, vh);

  // While the requester fades, its buttons are neither drawn nor active.
  if (Alpha >= 1.0f) {
    const float mx = float(MouseX()), my = float(MouseY());
    const std::vector<std::shared_ptr<TReqButton>> buttons = ButtonList;
    for (const auto& b : buttons) {
      // The knob at 100 sits at the end of the travel; the hit area reaches past it.
      const float extra = b->slider ? 23.0f : 0.0f;
      const bool hovered = mx > x + float(b->x) && mx < x + float(b->x + b->w) + extra && my > y + float(b->y) &&
                           my < y + float(b->y + b->h);
      if (hovered) {
        if (MousePointer) MousePointer->SetHover(true);
        if (!b->slider) {
          int frame = 1;
          if (ClickLatch[0]) {
            frame = 2;
            ButtonPressed(b->name);
          }
          if (MouseDown(MOUSE_LEFT)) {
            frame = 2;
            ButtonDown(b->name);
          }
          SetViewport(int(x + float(b->x)), int(y + float(b->y)), b->w, b->h);
          if (b->draw) DrawImage(RequesterImage, x, y, frame);
        } else if (ClickLatch[0] && !b->StartDrag) {
          b->StartDrag = true;
        }
      }
      if (b->slider) DrawImage(b->sliderbutton, x + float(b->x), y + float(b->y));
      if (b->StartDrag) {
        ButtonPressed(b->name);  // sees the value of the previous frame
        b->value = int((mx - x - float(b->x)) / float(std::max(b->w, 1)) * 100.0f);
        if (!MouseDown(MOUSE_LEFT)) b->StartDrag = false;
        b->value = std::clamp(b->value, 0, 100);
      }
      if (b->slider) {
        SetAlpha(Alpha);
        DrawImage(SliderKnob, x + float(b->x) + float(b->w) / 100.0f * float(b->value), y + float(b->y));
      }
    }
  }
  SetViewport(vx, vy, vw, vh);
  Render2(x, y);
  SetAlpha(alpha);
}
