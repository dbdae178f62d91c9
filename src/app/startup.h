// Start-up: every module's initialiser in dependency order (each runs once), then the
// start of the main program: the window, the profiles (a first one from the login name
// when there is none) and the player's song.
#pragma once

#include <string>

// Starts the string table and makes it speak `language` ("English", "Deutsch"), or the
// language of the system's locale when it is empty. Runs before InitModules, whose
// modules fetch texts once (rank names, the story); without it the game speaks English.
void InitLanguage(const std::string& language);
void InitModules();
// Every module but the sound, which StartMainProgram then starts once the window is open:
// for a program that opens the sound device on a worker thread meanwhile.
void InitModulesButSound();
// Opens the frame (full screen when asked) and prepares the profiles and the music;
// false if no window opened.
bool StartMainProgram(bool fullscreen = false);
