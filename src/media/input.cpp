#include "media/input.h"

#include "media/backend.h"

#include <array>
#include <deque>

namespace {

struct InputState {
  std::array<int, 256> keyHits{};
  std::array<bool, 256> keyDown{};
  std::array<int, 4> mouseHits{};
  std::array<bool, 4> mouseDown{};
  int mouseX = 0, mouseY = 0;
  int wheel = 0, wheelSeen = 0;
  std::deque<int> chars;
  bool focusLost = false;
};

InputState state;

bool ValidKey(int key) { return key >= 0 && key < 256; }
bool ValidButton(int b) { return b >= 1 && b <= 3; }

}  // namespace

int MouseX() {
  PumpPlatformEvents();
  return state.mouseX;
}

int MouseY() {
  PumpPlatformEvents();
  return state.mouseY;
}

int MouseZ() {
  PumpPlatformEvents();
  return state.wheel;
}

int MouseZSpeed() {
  PumpPlatformEvents();
  const int d = state.wheel - state.wheelSeen;
  state.wheelSeen = state.wheel;
  return d;
}

int MouseHit(int button) {
  PumpPlatformEvents();
  if (!ValidButton(button)) return 0;
  const int n = state.mouseHits[button];
  state.mouseHits[button] = 0;
  return n;
}

bool MouseDown(int button) {
  PumpPlatformEvents();
  return ValidButton(button) && state.mouseDown[button];
}

int KeyHit(int key) {
  PumpPlatformEvents();
  if (!ValidKey(key)) return 0;
  const int n = state.keyHits[key];
  state.keyHits[key] = 0;
  return n;
}

bool KeyDown(int key) {
  PumpPlatformEvents();
  return ValidKey(key) && state.keyDown[key];
}

int GetChar() {
  PumpPlatformEvents();
  if (state.chars.empty()) return 0;
  const int c = state.chars.front();
  state.chars.pop_front();
  return c;
}

void FlushKeys() {
  PumpPlatformEvents();
  state.keyHits.fill(0);
  state.keyDown.fill(false);
  state.chars.clear();
}

void FlushMouse() {
  PumpPlatformEvents();
  state.mouseHits.fill(0);
  state.mouseDown.fill(false);
  state.wheelSeen = state.wheel;
}

void InjectMouseMove(int x, int y) {
  state.mouseX = x;
  state.mouseY = y;
}

void InjectMouseButton(int button, bool down) {
  if (!ValidButton(button)) return;
  if (down && !state.mouseDown[button]) ++state.mouseHits[button];
  state.mouseDown[button] = down;
}

void InjectWheel(int steps) { state.wheel += steps; }

void InjectKey(int key, bool down, bool repeat) {
  if (!ValidKey(key)) return;
  // A repeat keeps a held key down (also after a flush) without counting another hit.
  if (down && !repeat && !state.keyDown[key]) ++state.keyHits[key];
  state.keyDown[key] = down;
}

void InjectChar(int code) {
  if (code <= 0) return;
  if (state.chars.size() >= 256) return;
  state.chars.push_back(code);
}

void ResetInput() { state = InputState{}; }

bool FocusLostHit() {
  PumpPlatformEvents();
  const bool lost = state.focusLost;
  state.focusLost = false;
  return lost;
}

void InjectFocusLoss() { state.focusLost = true; }
