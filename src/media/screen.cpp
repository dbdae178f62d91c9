// Opening the frame, textures, the window and its events.
#include "media/backend.h"
#include "media/debug.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/platform.h"

#include <SDL.h>

#include <algorithm>

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

// Where the 640×480 frame sits in the window: the largest centred rectangle of that shape.
SDL_Rect Letterbox() {
  int w = SCREEN_WIDTH, h = SCREEN_HEIGHT;
  SDL_GetRendererOutputSize(TheScreen().renderer, &w, &h);
  const double scale = std::min(double(w) / SCREEN_WIDTH, double(h) / SCREEN_HEIGHT);
  const int dw = std::max(1, int(SCREEN_WIDTH * scale));
  const int dh = std::max(1, int(SCREEN_HEIGHT * scale));
  return SDL_Rect{(w - dw) / 2, (h - dh) / 2, dw, dh};
}

// Window points to frame pixels.
void WindowToFrame(int wx, int wy, int& fx, int& fy) {
  Screen& s = TheScreen();
  int ww = 1, wh = 1, pw = 1, ph = 1;
  SDL_GetWindowSize(s.window, &ww, &wh);
  SDL_GetRendererOutputSize(s.renderer, &pw, &ph);
  const SDL_Rect box = Letterbox();
  const double px = double(wx) * pw / std::max(ww, 1);
  const double py = double(wy) * ph / std::max(wh, 1);
  fx = int((px - box.x) * SCREEN_WIDTH / box.w);
  fy = int((py - box.y) * SCREEN_HEIGHT / box.h);
}

void FrameToWindow(int fx, int fy, int& wx, int& wy) {
  Screen& s = TheScreen();
  int ww = 1, wh = 1, pw = 1, ph = 1;
  SDL_GetWindowSize(s.window, &ww, &wh);
  SDL_GetRendererOutputSize(s.renderer, &pw, &ph);
  const SDL_Rect box = Letterbox();
  wx = int((box.x + (fx + 0.5) * box.w / SCREEN_WIDTH) * ww / std::max(pw, 1));
  wy = int((box.y + (fy + 0.5) * box.h / SCREEN_HEIGHT) * wh / std::max(ph, 1));
}

void ToggleFullscreen() {
  Screen& s = TheScreen();
  s.fullscreen = !s.fullscreen;
  SDL_SetWindowFullscreen(s.window, s.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
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
    default:
      break;
  }
}

bool OpenHeadless() {
  Screen& s = TheScreen();
  s.surface = SDL_CreateRGBSurfaceWithFormat(0, SCREEN_WIDTH, SCREEN_HEIGHT, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!s.surface) return false;
  s.renderer = SDL_CreateSoftwareRenderer(s.surface);
  return s.renderer != nullptr;
}

std::string graphicsError;

std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

// Video drivers that show nothing; the game settles for one only when asked for it by name.
bool Invisible(const std::string& driver) {
  return driver == "offscreen" || driver == "dummy" || driver == "evdev";
}

}  // namespace

// Starts SDL's video on the first display system that answers. Without one the error
// names every system tried, so that a player without a display learns why.
bool InitDisplay() {
  if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
  if (SDL_getenv("SDL_VIDEODRIVER")) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
    graphicsError = OneLine(std::string("video driver ") + SDL_getenv("SDL_VIDEODRIVER") + ": " + SDL_GetError());
    return false;
  }
  std::string tried;
  for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
    const std::string driver = SDL_GetVideoDriver(i);
    if (Invisible(driver)) continue;
    // Without their variables these would only print their own complaints.
    if (driver == "x11" && !SDL_getenv("DISPLAY")) {
      tried += (tried.empty() ? "" : "; ") + driver + " (DISPLAY is not set)";
      continue;
    }
    if (driver == "wayland" && !SDL_getenv("WAYLAND_DISPLAY") && !SDL_getenv("XDG_RUNTIME_DIR")) {
      tried += (tried.empty() ? "" : "; ") + driver + " (WAYLAND_DISPLAY is not set)";
      continue;
    }
    SDL_SetHint(SDL_HINT_VIDEODRIVER, driver.c_str());
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
    tried += (tried.empty() ? "" : "; ") + driver + " (" + SDL_GetError() + ")";
  }
  SDL_SetHint(SDL_HINT_VIDEODRIVER, nullptr);
  graphicsError = OneLine("no display found; tried " + (tried.empty() ? std::string("no video driver") : tried));
  return false;
}

namespace {

bool OpenWindow(int depth) {
  Screen& s = TheScreen();
  if (!InitDisplay()) {
    DebugLog("Video init failed: " + graphicsError);
    return false;
  }
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
  SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
  // The largest whole multiple of 640×480 that fits the desktop with room for decorations.
  int scale = 1;
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) == 0)
    scale = std::max(1, std::min((usable.w - 32) / SCREEN_WIDTH, (usable.h - 64) / SCREEN_HEIGHT));
  Uint32 flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
  s.fullscreen = depth != 0;
  if (s.fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  s.window = SDL_CreateWindow(s.title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                              SCREEN_WIDTH * scale, SCREEN_HEIGHT * scale, flags);
  if (!s.window) return false;
  SDL_SetWindowMinimumSize(s.window, SCREEN_WIDTH / 2, SCREEN_HEIGHT / 2);
  s.renderer = SDL_CreateRenderer(s.window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
  if (!s.renderer) s.renderer = SDL_CreateRenderer(s.window, -1, SDL_RENDERER_TARGETTEXTURE);
  if (!s.renderer) return false;
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(s.renderer, &info) == 0) DebugLog(std::string("Renderer: ") + info.name);
  s.target = SDL_CreateTexture(s.renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                               SCREEN_WIDTH, SCREEN_HEIGHT);
  if (!s.target) return false;
  SDL_SetTextureScaleMode(s.target, SDL_ScaleModeLinear);
  SDL_SetRenderTarget(s.renderer, s.target);
  SDL_StartTextInput();
  return true;
}

// Copies pixels and gives fully transparent pixels the colour of an opaque neighbour,
// so bilinear filtering does not pull dark fringes in from transparent areas.
std::vector<uint32_t> BledPixels(const TPixmap& pm, bool cutout) {
  std::vector<uint32_t> out = pm.pixels;
  const int w = pm.width, h = pm.height;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t& p = out[size_t(y) * w + x];
      if (cutout) p = (p >> 24) >= 128 ? (p | 0xFF000000u) : (p & 0x00FFFFFFu);
      if (p >> 24) continue;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
          const uint32_t q = pm.ReadPixel(x + dx, y + dy);
          if ((q >> 24) != 0) {
            p = q & 0x00FFFFFFu;
            dy = dx = 2;
          }
        }
    }
  return out;
}

SDL_Texture* MakeTexture(const TImage& image, int frame, bool cutout) {
  const TPixmap& pm = *image.pixmaps[size_t(frame)];
  SDL_Texture* t = SDL_CreateTexture(TheScreen().renderer, SDL_PIXELFORMAT_ARGB8888,
                                     SDL_TEXTUREACCESS_STATIC, pm.width, pm.height);
  if (!t) return nullptr;
  const std::vector<uint32_t> pixels = BledPixels(pm, cutout);
  SDL_UpdateTexture(t, nullptr, pixels.data(), pm.width * 4);
  SDL_SetTextureScaleMode(t, (image.flags & IMG_FILTERED) ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  return t;
}

uint32_t pumpedAt = 0;

}  // namespace

TextureSet::~TextureSet() {
  if (generation != TheScreen().generation || !TheScreen().renderer) return;  // renderer gone
  for (SDL_Texture* t : normal)
    if (t) SDL_DestroyTexture(t);
  for (SDL_Texture* t : cutout)
    if (t) SDL_DestroyTexture(t);
}

void TextureSet::Invalidate(int frame) {
  if (frame < 0) return;
  auto drop = [&](std::vector<SDL_Texture*>& v) {
    if (size_t(frame) < v.size() && v[size_t(frame)]) {
      if (generation == TheScreen().generation) SDL_DestroyTexture(v[size_t(frame)]);
      v[size_t(frame)] = nullptr;
    }
  };
  drop(normal);
  drop(cutout);
}

namespace media_detail {

Screen& TheScreen() {
  // Never destroyed: images held by globals may release their textures during exit.
  static Screen* screen = new Screen;
  return *screen;
}

SDL_Texture* FrameTexture(TImage& image, int frame, bool cutout) {
  Screen& s = TheScreen();
  if (!s.renderer || frame < 0 || frame >= image.FrameCount()) return nullptr;
  if (!image.textures || image.textures->generation != s.generation) {
    image.textures = std::make_unique<TextureSet>();
    image.textures->generation = s.generation;
  }
  std::vector<SDL_Texture*>& v = cutout ? image.textures->cutout : image.textures->normal;
  if (v.size() < size_t(image.FrameCount())) v.resize(size_t(image.FrameCount()), nullptr);
  if (!v[size_t(frame)]) v[size_t(frame)] = MakeTexture(image, frame, cutout);
  return v[size_t(frame)];
}

void ShowFrameInWindow() {
  Screen& s = TheScreen();
  if (!s.window) return;
  SDL_SetRenderTarget(s.renderer, nullptr);
  SDL_SetRenderDrawColor(s.renderer, 0, 0, 0, 255);
  SDL_RenderClear(s.renderer);
  const SDL_Rect box = Letterbox();
  SDL_SetTextureBlendMode(s.target, SDL_BLENDMODE_NONE);
  SDL_SetTextureColorMod(s.target, 255, 255, 255);
  SDL_SetTextureAlphaMod(s.target, 255);
  SDL_RenderCopy(s.renderer, s.target, nullptr, &box);
  SDL_RenderPresent(s.renderer);
  SDL_SetRenderTarget(s.renderer, s.target);
  ApplyViewport();
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

bool Graphics(int width, int height, int depth, int /*hertz*/, int /*flags*/) {
  if (width != SCREEN_WIDTH || height != SCREEN_HEIGHT) return false;
  EndGraphics();
  graphicsError.clear();
  Screen& s = TheScreen();
  const bool ok = CurrentBackend() == Backend::Headless ? OpenHeadless() : OpenWindow(depth);
  if (!ok) {
    if (graphicsError.empty()) graphicsError = OneLine(SDL_GetError());
    DebugLog("Graphics failed: " + graphicsError);
    EndGraphics();
    return false;
  }
  ++s.generation;
  ResetDrawState();
  return true;
}

void EndGraphics() {
  Screen& s = TheScreen();
  if (s.target) SDL_DestroyTexture(s.target);
  if (s.renderer) SDL_DestroyRenderer(s.renderer);
  if (s.surface) SDL_FreeSurface(s.surface);
  if (s.window) SDL_DestroyWindow(s.window);
  s.target = nullptr;
  s.renderer = nullptr;
  s.surface = nullptr;
  s.window = nullptr;
  ++s.generation;  // textures of the old renderer died with it
}

bool GraphicsOpen() { return TheScreen().renderer != nullptr; }

std::string GraphicsError() { return graphicsError; }

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
