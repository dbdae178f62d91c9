// Opening and closing the frame (a window or an off-screen surface) and the textures
// drawn from images.
#include "media/backend.h"
#include "media/composed.h"
#include "media/debug.h"
#include "media/graphics.h"
#include "media/platform.h"

#include <SDL.h>

#include <algorithm>

using media_detail::Screen;
using media_detail::TheScreen;

namespace {

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

std::string GraphicsError() { return graphicsError; }

namespace {

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

SDL_Texture* MakeTexture(TImage& image, int frame, bool cutout) {
  const TPixmap& pm = image.TexturePixels(frame);
  SDL_Texture* t = SDL_CreateTexture(TheScreen().renderer, SDL_PIXELFORMAT_ARGB8888,
                                     SDL_TEXTUREACCESS_STATIC, pm.width, pm.height);
  if (!t) return nullptr;
  const std::vector<uint32_t> pixels = BledPixels(pm, cutout);
  SDL_UpdateTexture(t, nullptr, pixels.data(), pm.width * 4);
  SDL_SetTextureScaleMode(t, (image.flags & IMG_FILTERED) ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
  return t;
}

bool AllMade(const std::vector<SDL_Texture*>& textures) {
  return !textures.empty() && std::all_of(textures.begin(), textures.end(), [](SDL_Texture* t) { return t; });
}

}  // namespace

TextureSet::~TextureSet() {
  if (generation != TheScreen().generation || !TheScreen().renderer) return;  // renderer gone
  for (std::vector<SDL_Texture*>* v : {&normal, &cutout})
    for (SDL_Texture* t : *v)
      if (t) {
        media_detail::ForgetComposed(t);
        SDL_DestroyTexture(t);
      }
}

void TextureSet::Invalidate(int frame) {
  if (frame < 0) return;
  auto drop = [&](std::vector<SDL_Texture*>& v) {
    if (size_t(frame) < v.size() && v[size_t(frame)]) {
      if (generation == TheScreen().generation) {
        media_detail::ForgetComposed(v[size_t(frame)]);
        SDL_DestroyTexture(v[size_t(frame)]);
      }
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
  if (!v[size_t(frame)]) {
    std::vector<bool>& opaque = image.textures->opaque;
    if (opaque.size() < size_t(image.FrameCount())) opaque.resize(size_t(image.FrameCount()), false);
    const std::vector<uint32_t>& pixels = image.TexturePixels(frame).pixels;
    opaque[size_t(frame)] = std::all_of(pixels.begin(), pixels.end(), [](uint32_t p) { return (p >> 24) == 255; });
    v[size_t(frame)] = MakeTexture(image, frame, cutout);
    if (AllMade(image.textures->normal) && (image.textures->cutout.empty() || AllMade(image.textures->cutout)))
      image.DropUnreadPixels();
  }
  return v[size_t(frame)];
}

}  // namespace media_detail

bool Graphics(int width, int height, int depth, int /*hertz*/, int /*flags*/) {
  if (width != SCREEN_WIDTH || height != SCREEN_HEIGHT) return false;
  EndGraphics();
  graphicsError.clear();
  Screen& s = TheScreen();
  const bool ok = CurrentBackend() == Backend::Headless ? OpenHeadless() : media_detail::OpenWindow(depth);
  if (!ok) {
    if (graphicsError.empty()) graphicsError = OneLine(SDL_GetError());
    DebugLog("Graphics failed: " + graphicsError);
    EndGraphics();
    return false;
  }
  ++s.generation;
  SDL_RendererInfo info;
  media_detail::SetComposingWanted(SDL_GetRendererInfo(s.renderer, &info) == 0 &&
                                   (info.flags & SDL_RENDERER_SOFTWARE) != 0);
  ResetDrawState();
  ResetFramePacing();
  return true;
}

void EndGraphics() {
  Screen& s = TheScreen();
  media_detail::ForgetAllComposed();
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
