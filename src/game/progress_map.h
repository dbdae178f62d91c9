// The map card shown before a level: 50 stations along a path, the reached ones lit, the
// next level marked; the player may pick a reached level, switch the map off, play or
// leave. And the end screen after the last level of a set.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

class TUser;

struct Point {
  int x = 0, y = 0;
  void Set(int px, int py) {
    x = px;
    y = py;
  }
};

// Returns when the player chose "Play" or "Exit" and the map has faded out.
void ShowProgressMap(int& currentLevel, bool& progressMap, bool& quitGame);
void ShowEndScreen();
// The end screen's text in the lines it shows, centred one under the other; more than
// END_SCREEN_MAX_LINES would reach past the bottom of the screen.
std::vector<std::string> EndScreenLines();
constexpr size_t END_SCREEN_MAX_LINES = 8;

// Station i's top-left corner on the card.
Point MapStation(int level);
// The scroll that keeps the selected station in view, one step towards it: 4 px a frame,
// never outside 0..276.
int ScrollTowards(int scroll, int stationX);
// Levels reached over every level set the player can choose (the shipped ones travel
// inside the program, the player's own are the files in the data folder; folders and
// devices named like a set are none), and how many there are.
void OverallProgress(const TUser& user, int& currLevel, int& numLevels);
// "2, 5, 31": the damaged levels of the loaded set, numbered from 1, at most five and
// ".." after them; "" when there are none.
std::string DamagedLevelList();
