// Scripted input for playing the game without a person: a list of steps run by the frame
// driver, one or more frames each (move, click, hold a key, type, wait, wait until a
// condition holds, check something, stop). Used by scenario tests and the screenshot tour.
//
//   Script s;
//   s.Wait(60).Click(316, 197).Until([] { return SomeScreenIsUp(); }, 300).Stop();
//   s.Install();
//   EXPECT_THROW(RunTheScreen(), StopRun);
#pragma once

#include "media/platform.h"

#include <deque>
#include <functional>
#include <stdexcept>
#include <string>

// Thrown (from inside the screen's present) when an Until step runs out of frames.
struct ScriptTimeout : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class Script {
public:
  Script& Wait(int frames);
  Script& MoveTo(int x, int y);
  // Button down in this frame, up in the next.
  Script& Click(int x, int y, int button = 1);
  Script& Press(int button);
  Script& Release(int button);
  Script& HoldKey(int key, int frames);  // down for that many frames, then up
  Script& TapKey(int key);               // down one frame, up the next
  Script& Type(const std::string& text);  // one character a frame
  Script& Wheel(int steps);
  // Waits (one frame at a time) until pred holds; throws ScriptTimeout after maxFrames.
  Script& Until(std::function<bool()> pred, int maxFrames, std::string what = "condition");
  Script& Do(std::function<void()> action);  // runs at the current frame
  Script& Stop();                            // throws StopRun
  Script& CloseWindow();                     // as the window's close button

  // Becomes the frame driver. After the last step it stops the run (StopRun) unless
  // keepRunning is set, so a forgotten Stop never hangs a test.
  void Install(bool keepRunning = false);
  int FramesRun() const { return frames_; }

private:
  struct Step {
    std::function<bool(int tick)> run;  // true when finished; tick counts frames spent
  };
  Script& Add(std::function<bool(int)> run);
  void Frame();

  std::deque<Step> steps_;
  int tick_ = 0;
  int frames_ = 0;
  bool keepRunning_ = false;
};
