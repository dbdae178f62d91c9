#include "media/desktop.h"

#include "media/backend.h"
#include "media/debug.h"
#include "media/image.h"
#include "media/stream.h"

#include <SDL.h>

#include <cstdlib>
#include <utility>

using media_detail::TheScreen;

namespace {

std::vector<std::string> opened;
PixmapPtr icon;

void ApplyIcon() {
  SDL_Window* window = TheScreen().window;
  if (!window || !icon) return;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(icon->pixels.data(), icon->width, icon->height, 32,
                                                      icon->width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return;
  SDL_SetWindowIcon(window, s);
  SDL_FreeSurface(s);
}

}  // namespace

void AppId(const std::string& id) {
  // SDL 2 reads these when its video starts (X11) or a window opens (Wayland).
  setenv("SDL_VIDEO_X11_WMCLASS", id.c_str(), 0);
  setenv("SDL_VIDEO_WAYLAND_WMCLASS", id.c_str(), 0);
}

void AppIcon(const std::string& locator) {
  std::vector<uint8_t> bytes;
  icon = LoadBytes(locator, bytes) ? DecodeImage(bytes) : nullptr;
  if (!icon) DebugLog("No window icon: " + locator);
  ApplyIcon();
}

void QueueOpenedFile(const std::string& path) { opened.push_back(path); }

bool OpenedFilePending() {
  PumpPlatformEvents();
  return !opened.empty();
}

std::vector<std::string> TakeOpenedFiles() {
  PumpPlatformEvents();
  return std::exchange(opened, {});
}

namespace media_detail {

void WindowOpened() { ApplyIcon(); }

void DesktopEvent(const SDL_Event& e) {
  if ((e.type != SDL_DROPFILE && e.type != SDL_DROPTEXT) || !e.drop.file) return;
  if (e.type == SDL_DROPFILE) {
    DebugLog(std::string("Dropped: ") + e.drop.file);
    QueueOpenedFile(e.drop.file);
  }
  SDL_free(e.drop.file);  // dropped text is not for the game, but SDL made a copy of it too
}

}  // namespace media_detail
