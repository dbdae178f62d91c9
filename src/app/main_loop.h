// The program's outermost loop after start-up: the intro leads into the main menu, then
// the menu's result is acted on ("PLAY": level-set selection, a game, the high scores;
// "LEVEL_EDITOR": the editor; "QUIT": the string table is written back and the program
// ends) and the menu comes back.
#pragma once

// Runs the intro and the menu loop; never returns ("QUIT" and closing the window end the
// program with exit code 0). Start-up has made the profiles, the window and the music.
// toSelection skips the intro and the menu the first time: a level set handed to the
// program is imported and chosen there.
[[noreturn]] void RunMainLoop(bool toSelection = false);

// One round of "PLAY": the level-set selection, one game on the chosen set, then the high
// scores unless the whole set was completed. Returns whether the set was completed
// (straight back to the selection).
bool PlayLevelSet();
