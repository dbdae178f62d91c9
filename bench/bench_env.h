// Shared set-up of the benchmarks that run game screens: the modules started once on the
// headless back end with a fresh data folder and one player, then a frame opened on the
// back end asked for, with the play artwork loaded.
#pragma once

#include "media/platform.h"

// Runs once; later calls do nothing.
void StartBenchModules(const char* folderName);
// false when the back end cannot open a frame (no X display for the windowed one).
bool OpenBenchFrame(Backend backend);
