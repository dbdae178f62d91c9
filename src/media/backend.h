// Internal to the media layer: the SDL renderer behind the drawing calls, shared by the
// windowed back end (an OpenGL renderer drawing into a 640×480 target texture that is
// scaled into the window) and the headless one (a software renderer on a surface).
#pragma once

#include <SDL_blendmode.h>
#include <SDL_pixels.h>
#include <SDL_rect.h>

#include <cstdint>
#include <string>
#include <vector>

struct SDL_Renderer;
struct SDL_Surface;
struct SDL_Texture;
struct SDL_Window;
union SDL_Event;
class TImage;

// The textures of one image, one per frame, made for one renderer.
struct TextureSet {
  uint32_t generation = 0;            // renderer they belong to
  std::vector<SDL_Texture*> normal;   // as loaded
  std::vector<SDL_Texture*> cutout;   // alpha reduced to 0 or 255, for BLEND_MASK
  std::vector<bool> opaque;           // per frame: no pixel lets anything through
  void Invalidate(int frame);
  ~TextureSet();
};

namespace media_detail {

struct Screen {
  SDL_Window* window = nullptr;
  SDL_Renderer* renderer = nullptr;
  SDL_Surface* surface = nullptr;  // headless frame
  SDL_Texture* target = nullptr;   // windowed frame
  uint32_t generation = 0;         // changes whenever a renderer is created
  bool fullscreen = false;
  bool fullscreenByHand = false;  // laid over the display without a window manager
  bool hidden = false;            // minimised or unmapped: nothing to show
  SDL_Rect windowedPlace{};       // where the window was before that
  std::string title = "Quorvale";
};

Screen& TheScreen();
SDL_Texture* FrameTexture(TImage& image, int frame, bool cutout);
bool OpenWindow(int depth);
// Whether a window manager runs that can make a window full screen. Only a bare X server
// has none; there the window is laid over its display by hand.
bool WindowManagerRuns(SDL_Window* window);
// Shows the finished frame in the window (windowed back end only).
void ShowFrameInWindow();
void ApplyViewport();
// The desktop side of the window (desktop.cpp): icon once it opens, dropped files.
void WindowOpened();
void DesktopEvent(const SDL_Event& e);

// Composed pictures (composed.cpp). Draws the whole texture onto the quad with corners tl,
// tr, br, bl (screen pixels) from a composed picture; false when it cannot (another
// renderer, a blending a clear margin would change), and the caller draws directly.
bool DrawComposed(SDL_Texture* tex, const SDL_FPoint corners[4], SDL_BlendMode blend, SDL_Color color);
// The same for an upright copy into dst at another size than the texture's.
bool DrawComposedScaled(SDL_Texture* tex, const SDL_FRect& dst, SDL_BlendMode blend, SDL_Color color);
// Before a texture dies; and before the renderer does (all of them).
void ForgetComposed(SDL_Texture* tex);
void ForgetAllComposed();

}  // namespace media_detail

// Lets the window system deliver pending events (no-op without a window).
void PumpPlatformEvents();
