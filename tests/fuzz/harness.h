// Fuzz harnesses: one per reader of a file that can come from outside the program. Each
// reads the bytes as its file, uses what it read as the game would, and aborts when a
// value escapes the range the reader promises. libFuzzer runs them (build with QV_FUZZ),
// and the regression test replays every input kept in tests/fuzz/regressions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using FuzzHarness = int (*)(const uint8_t* data, size_t size);

int FuzzUsersFile(const uint8_t* data, size_t size);
int FuzzLevelSet(const uint8_t* data, size_t size);
int FuzzLanguageFile(const uint8_t* data, size_t size);
int FuzzIniFile(const uint8_t* data, size_t size);
int FuzzFontDescriptor(const uint8_t* data, size_t size);
int FuzzLevelSource(const uint8_t* data, size_t size);

struct FuzzTarget {
  const char* name;  // also the folder of its seeds and regression inputs
  FuzzHarness run;
};

// Every target, by name: users, lvl, lang, ini, fnt, levelsrc.
const std::vector<FuzzTarget>& FuzzTargets();
