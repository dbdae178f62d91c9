// What the soak knows of the game's screens: how to tell that one is up, and the places
// on it worth clicking more often than chance would. Adding a screen is one entry in
// SoakScreens() in soak_screens.cpp.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct SoakPoint {
  int x, y;
};

struct SoakScreen {
  std::string name;
  // The screen is entered when a file whose path contains this is opened ("" for none)...
  std::string opens;
  // ...or while this holds (nullptr for none).
  std::function<bool()> showing;
  // Buttons and items of the screen; the driver aims a share of its clicks at them.
  std::vector<SoakPoint> hotSpots;
};

const std::vector<SoakScreen>& SoakScreens();

// Called after each frame: undoes a request to end the program (the soak never quits).
void KeepTheGameRunning();
