#include "media/platform.h"

#include "media/backend.h"
#include "media/debug.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

Backend backend = [] {
  const char* v = std::getenv("QV_HEADLESS");
  return v && std::strcmp(v, "1") == 0 ? Backend::Headless : Backend::Windowed;
}();

int virtualNow = 0;
int frameNumber = 0;
bool closeRequested = false;
FramePacer pacer;
FrameDriver driver;

}  // namespace

void SetBackend(Backend b) { backend = b; }
Backend CurrentBackend() { return backend; }

int Millisecs() {
  if (backend == Backend::Headless) return virtualNow;
  return int(SDL_GetTicks64());
}

void Delay(int ms) {
  if (ms <= 0) return;
  if (backend == Backend::Headless)
    virtualNow += ms;
  else
    SDL_Delay(Uint32(ms));
}

int FramePacer::Advance(int now) {
  if (!started_) {
    started_ = true;
    deadline_ = now;
  }
  deadline_ += 1000 / 60;
  accumulator_ += 1000 % 60;
  if (accumulator_ >= 60) {
    accumulator_ -= 60;
    deadline_ += 1;
  }
  if (deadline_ <= now) {
    deadline_ = now;
    return 0;
  }
  return deadline_ - now;
}

void SetFrameDriver(FrameDriver d) {
  driver = std::move(d);
  frameNumber = 0;
}

int FrameNumber() { return frameNumber; }

void RequestClose() { closeRequested = true; }

bool AppTerminate() {
  PumpPlatformEvents();
  const bool r = closeRequested;
  closeRequested = false;
  return r;
}

void PlatformPresent(int /*sync*/) {
  const int frame = frameNumber++;
  if (driver) driver(frame);
  // Every present keeps the rhythm; the headless clock jumps to the deadline, which is
  // exactly what a sleeping window would see.
  const int wait = pacer.Advance(Millisecs());
  Delay(wait);
}

void ResetFramePacing() { pacer.Reset(); }

void FatalError(const std::string& message) {
  DebugLog("Fatal: " + message);
  std::fprintf(stderr, "Quorvale: %s\n", message.c_str());
  if (backend == Backend::Windowed)
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "Quorvale", message.c_str(), nullptr);
  std::fflush(nullptr);
  std::_Exit(1);
}
