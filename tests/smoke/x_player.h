// The person at the X server, for the window tests: finds the game's window and reads
// where the X server really placed it, looks at what the screen shows, and moves the
// pointer, presses buttons and keys through XTest, so input takes the same way as a
// player's. Also starts a window manager (openbox) for the test's display.
#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>

struct ScreenRect {
  int x = 0, y = 0, w = 0, h = 0;
};

class XPlayer {
public:
  XPlayer();
  ~XPlayer();
  XPlayer(const XPlayer&) = delete;
  XPlayer& operator=(const XPlayer&) = delete;

  bool Connected() const { return display_ != nullptr; }
  int ScreenWidth() const;
  int ScreenHeight() const;
  // The window with this title: its inside in screen pixels; false when there is none.
  bool FindWindow(const std::string& title, ScreenRect& place) const;
  // Moves the window's top-left corner to (x, y) of the screen.
  void PlaceWindow(const std::string& title, int x, int y);
  // 0xRRGGBB of the screen; 0xFFFFFFFF off the screen.
  uint32_t PixelAt(int x, int y) const;
  void MoveTo(int x, int y);             // screen pixels
  void Button(bool down);                // the left button
  void Key(const char* keysym, bool down);

private:
  struct _XDisplay* display_ = nullptr;
};

// Starts openbox on $DISPLAY and waits until it manages the screen; stops it again.
class WindowManager {
public:
  WindowManager();
  ~WindowManager();
  bool Running() const { return running_; }

private:
  pid_t pid_ = -1;
  bool running_ = false;
};
