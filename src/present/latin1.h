// Game text holds one byte per character (Latin-1), as every file format of the game
// stores it. Text from outside the game (environment variables in UTF-8) is brought in
// by keeping the low 8 bits of each character, the same rule the profile file applies.
#pragma once

#include <string>

// Bytes that are not valid UTF-8 are kept as they are.
std::string Latin1FromUtf8(const std::string& utf8);
// Game text for the outside world (file names): each character as UTF-8.
std::string Utf8FromLatin1(const std::string& latin1);
// The variable's value as game text; "" when it is not set.
std::string EnvironmentText(const char* name);
