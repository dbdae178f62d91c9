// The window of the windowed back end: opening it, showing the frame letterboxed in it,
// its events (keys, typed text, the mouse mapped into the frame), full screen.
#include "media/window.h"

#include "media/backend.h"
#include "media/debug.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/platform.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

using media_detail::Screen;
using media_detail::TheScreen;

namespace {

// SDL key codes to the Windows virtual-key codes the game uses.
int VirtualKey(SDL_Keycode k) {
  if (k >= SDLK_a && k <= SDLK_z) return 'A' + int(k - SDLK_a);
  if (k >= SDLK_0 && k <= SDLK_9) return '0' + int(k - SDLK_0);
  if (k >= SDLK_F1 && k <= SDLK_F12) return 112 + int(k - SDLK_F1);
  switch (k) {
    case SDLK_BACKSPACE: return KEY_BACKSPACE;
    case SDLK_TAB: return KEY_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return KEY_ENTER;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return KEY_SHIFT;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return KEY_CONTROL;
    case SDLK_LALT:
    case SDLK_RALT: return KEY_ALT;
    case SDLK_ESCAPE: return KEY_ESCAPE;
    case SDLK_SPACE: return KEY_SPACE;
    case SDLK_PAGEUP: return KEY_PAGEUP;
    case SDLK_PAGEDOWN: return KEY_PAGEDOWN;
    case SDLK_END: return KEY_END;
    case SDLK_HOME: return KEY_HOME;
    case SDLK_LEFT: return KEY_LEFT;
    case SDLK_UP: return KEY_UP;
    case SDLK_RIGHT: return KEY_RIGHT;
    case SDLK_DOWN: return KEY_DOWN;
    case SDLK_DELETE: return KEY_DELETE;
    case SDLK_KP_PLUS: return KEY_ADD;
    case SDLK_KP_MINUS: return KEY_SUBTRACT;
    default: return -1;
  }
}

// Control characters that a keyboard also types (text input events carry only printable ones).
int TypedControl(int vk) {
  switch (vk) {
    case KEY_BACKSPACE:
    case KEY_TAB:
    case KEY_ENTER:
    case KEY_ESCAPE: return vk;
    default: return 0;
  }
}

// The window's size in pixels. Not the renderer's output size: while the game draws, the
// frame texture is the render target, and the renderer answers with its 640×480.
void DrawableSize(int& w, int& h) {
  w = SCREEN_WIDTH;
  h = SCREEN_HEIGHT;
  SDL_GetWindowSizeInPixels(TheScreen().window, &w, &h);
  w = std::max(w, 1);
  h = std::max(h, 1);
}

// Where the 640×480 frame sits in the window: the largest centred rectangle of that shape.
SDL_Rect Letterbox() {
  int w, h;
  DrawableSize(w, h);
  const double scale = std::min(double(w) / SCREEN_WIDTH, double(h) / SCREEN_HEIGHT);
  const int dw = std::max(1, int(SCREEN_WIDTH * scale));
  const int dh = std::max(1, int(SCREEN_HEIGHT * scale));
  return SDL_Rect{(w - dw) / 2, (h - dh) / 2, dw, dh};
}

// Window points to frame pixels: the frame pixel drawn under the centre of the window
// pixel. Points in the bars fall outside 0..639 × 0..479.
void WindowToFrame(int wx, int wy, int& fx, int& fy) {
  int ww = 1, wh = 1, pw, ph;
  SDL_GetWindowSize(TheScreen().window, &ww, &wh);
  DrawableSize(pw, ph);
  const SDL_Rect box = Letterbox();
  const double px = (wx + 0.5) * pw / std::max(ww, 1);
  const double py = (wy + 0.5) * ph / std::max(wh, 1);
  fx = int(std::floor((px - box.x) * SCREEN_WIDTH / box.w));
  fy = int(std::floor((py - box.y) * SCREEN_HEIGHT / box.h));
}

void FrameToWindow(int fx, int fy, int& wx, int& wy) {
  int ww = 1, wh = 1, pw, ph;
  SDL_GetWindowSize(TheScreen().window, &ww, &wh);
  DrawableSize(pw, ph);
  const SDL_Rect box = Letterbox();
  wx = int(std::floor((box.x + (fx + 0.5) * box.w / SCREEN_WIDTH) * ww / pw));
  wy = int(std::floor((box.y + (fy + 0.5) * box.h / SCREEN_HEIGHT) * wh / ph));
}

void SetFullscreen(bool on) {
  Screen& s = TheScreen();
  if (!s.window || on == s.fullscreen) return;
  s.fullscreen = on;
  // Full screen shows each frame at the display's refresh, so drifting scenery never tears.
  SDL_RenderSetVSync(s.renderer, on ? 1 : 0);
  if (on) {
    s.fullscreenByHand = !media_detail::WindowManagerRuns(s.window);
    if (!s.fullscreenByHand) {
      SDL_SetWindowFullscreen(s.window, SDL_WINDOW_FULLSCREEN_DESKTOP);
      return;
    }
    SDL_Rect& w = s.windowedPlace;
    SDL_GetWindowPosition(s.window, &w.x, &w.y);
    SDL_GetWindowSize(s.window, &w.w, &w.h);
    SDL_Rect display;
    if (SDL_GetDisplayBounds(std::max(SDL_GetWindowDisplayIndex(s.window), 0), &display) != 0) return;
    SDL_SetWindowPosition(s.window, display.x, display.y);
    SDL_SetWindowSize(s.window, display.w, display.h);
    SDL_RaiseWindow(s.window);
  } else if (s.fullscreenByHand) {
    const SDL_Rect& w = s.windowedPlace;
    SDL_SetWindowSize(s.window, w.w, w.h);
    SDL_SetWindowPosition(s.window, w.x, w.y);
  } else {
    SDL_SetWindowFullscreen(s.window, 0);
  }
}

void AddTypedText(const char* utf8) {
  // UTF-8 to code points; the game keeps one byte per character, so codes above 255
  // arrive as they are and text entry filters them.
  const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8);
  while (*p) {
    int code = *p, extra = 0;
    if (code >= 0xF0) code &= 0x07, extra = 3;
    else if (code >= 0xE0) code &= 0x0F, extra = 2;
    else if (code >= 0xC0) code &= 0x1F, extra = 1;
    ++p;
    for (; extra > 0 && (*p & 0xC0) == 0x80; --extra, ++p) code = (code << 6) | (*p & 0x3F);
    InjectChar(code);
  }
}

void HandleWindowEvent(Uint8 event) {
  Screen& s = TheScreen();
  switch (event) {
    case SDL_WINDOWEVENT_HIDDEN:
    case SDL_WINDOWEVENT_MINIMIZED:
      s.hidden = true;
      InjectFocusLoss();
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      InjectFocusLoss();
      break;
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
    case SDL_WINDOWEVENT_EXPOSED:
      s.hidden = false;
      break;
    default:
      break;
  }
}

void HandleEvent(const SDL_Event& e) {
  switch (e.type) {
    case SDL_QUIT:
      RequestClose();
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      const bool down = e.type == SDL_KEYDOWN;
      const SDL_Keycode k = e.key.keysym.sym;
      const bool alt = (e.key.keysym.mod & KMOD_ALT) != 0;
      if (down && !e.key.repeat && (k == SDLK_F11 || (alt && k == SDLK_RETURN))) {
        ToggleFullscreen();
        break;  // the toggle is not also a key press for the game
      }
      const int vk = VirtualKey(k);
      if (vk < 0) break;
      InjectKey(vk, down, e.key.repeat != 0);
      if (down && TypedControl(vk)) InjectChar(TypedControl(vk));
      break;
    }
    case SDL_TEXTINPUT:
      AddTypedText(e.text.text);
      break;
    case SDL_MOUSEMOTION: {
      int x, y;
      WindowToFrame(e.motion.x, e.motion.y, x, y);
      InjectMouseMove(x, y);
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      const int b = e.button.button == SDL_BUTTON_LEFT    ? MOUSE_LEFT
                    : e.button.button == SDL_BUTTON_RIGHT ? MOUSE_RIGHT
                    : e.button.button == SDL_BUTTON_MIDDLE ? MOUSE_MIDDLE
                                                           : 0;
      int x, y;
      WindowToFrame(e.button.x, e.button.y, x, y);
      InjectMouseMove(x, y);
      InjectMouseButton(b, e.type == SDL_MOUSEBUTTONDOWN);
      break;
    }
    case SDL_MOUSEWHEEL:
      InjectWheel(e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y);
      break;
    case SDL_WINDOWEVENT:
      HandleWindowEvent(e.window.event);
      break;
    default:
      media_detail::DesktopEvent(e);
      break;
  }
}

// The frame in its box on the window's own target, bars black.
void DrawLetterboxed() {
  Screen& s = TheScreen();
  SDL_SetRenderTarget(s.renderer, nullptr);
  SDL_SetRenderDrawColor(s.renderer, 0, 0, 0, 255);
  SDL_RenderClear(s.renderer);
  const SDL_Rect box = Letterbox();
  SDL_SetTextureBlendMode(s.target, SDL_BLENDMODE_NONE);
  SDL_SetTextureColorMod(s.target, 255, 255, 255);
  SDL_SetTextureAlphaMod(s.target, 255);
  SDL_RenderCopy(s.renderer, s.target, nullptr, &box);
}

// Back to drawing into the frame.
void BindFrame() {
  Screen& s = TheScreen();
  SDL_SetRenderTarget(s.renderer, s.target);
  media_detail::ApplyViewport();
}

uint32_t pumpedAt = 0;

}  // namespace

namespace media_detail {

bool OpenWindow(int depth) {
  Screen& s = TheScreen();
  if (!InitDisplay()) {
    DebugLog("Video init failed: " + GraphicsError());
    return false;
  }
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  // When the software renderer is chosen, its frame goes to the window by the X server's
  // own means; otherwise SDL would first start OpenGL just to see who made the driver.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // The largest whole multiple of 640×480 that fits the desktop with room for decorations.
  int scale = 1;
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) == 0)
    scale = std::max(1, std::min((usable.w - 32) / SCREEN_WIDTH, (usable.h - 64) / SCREEN_HEIGHT));
  s.fullscreen = false;
  s.window = SDL_CreateWindow(s.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                              SCREEN_WIDTH * scale, SCREEN_HEIGHT * scale,
                              SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_HIDDEN);
  if (!s.window) return false;
  SDL_SetWindowMinimumSize(s.window, SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2);
  WindowOpened();
  s.renderer = SDL_CreateRenderer(s.window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
  if (!s.renderer) s.renderer = SDL_CreateRenderer(s.window, -1, SDL_RENDERER_TARGETTEXTURE);
  if (!s.renderer) return false;
  // Shown only now: the OpenGL renderer makes the window anew, and remaking a window the
  // window manager is still mapping can wait forever for its unmap.
  SDL_ShowWindow(s.window);
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(s.renderer, &info) == 0) DebugLog(std::string("Renderer: ") + info.name);
  s.target = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                               SCREEN_WIDTH, SCREEN_HEIGHT);
  if (!s.target) return false;
  SDL_SetTextureScaleMode(s.target, SDL_ScaleModeLinear);
  SDL_SetRenderTarget(s.renderer, s.target);
  SDL_StartTextInput();
  if (depth != 0) SetFullscreen(true);
  return true;
}

void ShowFrameInWindow() {
  Screen& s = TheScreen();
  if (!s.window) return;
  // Nobody can see the window: no frames, only the window system's events until it shows
  // again or is closed.
  SDL_Event e;
  while (s.hidden) {
    if (!SDL_WaitEventTimeout(&e, 250)) {
      if ((SDL_GetWindowFlags(s.window) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED)) == 0) s.hidden = false;
      continue;
    }
    HandleEvent(e);
    if (e.type == SDL_QUIT) break;
  }
  DrawLetterboxed();
  SDL_RenderPresent(s.renderer);
  BindFrame();
}

}  // namespace media_detail

void PumpPlatformEvents() {
  Screen& s = TheScreen();
  if (!s.window) return;
  // Queries come in bursts within a frame; the window system needs no more than one pump
  // a millisecond.
  const uint32_t now = SDL_GetTicks();
  if (now == pumpedAt) return;
  pumpedAt = now;
  SDL_Event e;
  while (SDL_PollEvent(&e)) HandleEvent(e);
}

void SetWindowSize(int w, int h) {
  if (TheScreen().window) SDL_SetWindowSize(TheScreen().window, w, h);
}

void GetWindowSize(int& w, int& h) {
  w = SCREEN_WIDTH;
  h = SCREEN_HEIGHT;
  if (TheScreen().window) SDL_GetWindowSize(TheScreen().window, &w, &h);
}

void ToggleFullscreen() { SetFullscreen(!TheScreen().fullscreen); }

bool IsFullscreen() { return TheScreen().fullscreen; }

PixmapPtr GrabWindow() {
  Screen& s = TheScreen();
  if (!s.window) return GrabPixmap(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
  int w, h;
  DrawableSize(w, h);
  DrawLetterboxed();
  auto pixmap = std::make_shared<TPixmap>(w, h);
  const bool read = SDL_RenderReadPixels(s.renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixmap->pixels.data(),
                                         pixmap->pitch) == 0;
  BindFrame();
  return read ? pixmap : nullptr;
}

void AppTitle(const std::string& title) {
  TheScreen().title = title;
  if (TheScreen().window) SDL_SetWindowTitle(TheScreen().window, title.c_str());
}

void ShowMouse() {
  if (TheScreen().window) SDL_ShowCursor(SDL_ENABLE);
}

void HideMouse() {
  if (TheScreen().window) SDL_ShowCursor(SDL_DISABLE);
}

void MoveMouse(int x, int y) {
  Screen& s = TheScreen();
  if (s.window) {
    int wx, wy;
    FrameToWindow(x, y, wx, wy);
    SDL_WarpMouseInWindow(s.window, wx, wy);
    PumpPlatformEvents();
  }
  InjectMouseMove(x, y);
}
