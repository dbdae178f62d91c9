// Start-up: every module's initialiser in dependency order (each runs once), then the
// start of the main program: the window, the profiles (a first one from the login name
// when there is none) and the player's song.
#pragma once

void InitModules();
// Opens the frame and prepares the profiles and the music; false if no window opened.
bool StartMainProgram();
