// The first level of the first shipped set played in a window as the game would: the game
// started as the program starts it, then every piece taken from the tray, turned and put on
// its place until the tally shows. Run in a process of its own by the start-up benchmark,
// which reads that process's peak memory.
#pragma once

// Exit code 0 when the level was solved.
int PlayFirstLevel();
