// The platform under the drawing and input calls: which back end runs (a real window or
// a headless off-screen frame with a virtual clock), the millisecond clock, the frame
// pacer, and the per-frame driver hook that tests and tools use to play the game.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

enum class Backend { Windowed, Headless };

// Chosen before Graphics; the default is Headless when QV_HEADLESS=1, else Windowed.
void SetBackend(Backend backend);
Backend CurrentBackend();

// Milliseconds since start. Headless runs use a virtual clock that advances only when a
// frame is presented, exactly as the pacer would, so a scripted run is reproducible.
int Millisecs();
void Delay(int ms);

// Keeps 60 frames a second: the deadline advances 16 ms a frame plus one extra
// millisecond three times in 60 frames (1000 = 60·16 + 40); a late frame resets the
// deadline to now instead of catching up.
class FramePacer {
public:
  // Returns how long to sleep before showing the frame at time now.
  int Advance(int now);
  void Reset() { started_ = false; }

private:
  bool started_ = false;
  int deadline_ = 0;
  int accumulator_ = 0;
};

// Called at every present, after the frame is drawn and before it is shown, with the
// number of frames presented before it. A driver may read pixels, inject input and end
// the run by throwing StopRun.
using FrameDriver = std::function<void(int frame)>;
void SetFrameDriver(FrameDriver driver);
int FrameNumber();
struct StopRun {};

// The window's close button (or a driver) asks the program to end; the shell checks
// this after each present. AppTerminate reads and clears the request.
void RequestClose();
bool AppTerminate();

// A truly fatal condition (a missing requester picture, no window): a message box, if a
// display is there to show it, then the program ends with exit code 1.
[[noreturn]] void FatalError(const std::string& message);

// Internal to the media layer: advance the clock and run the driver for one present.
void PlatformPresent(int sync);
// Internal: a newly opened frame starts the rhythm anew, on the clock of its back end.
void ResetFramePacing();
