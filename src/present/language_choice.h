// Which language the string table speaks: the system's locale variables in the order
// gettext gives them (LANGUAGE, then LC_ALL, LC_MESSAGES, LANG), or a name the player
// passes on the command line. German for any "de" locale, English otherwise.
#pragma once

#include <string>

constexpr const char* GERMAN_LANGUAGE = "Deutsch";

// The locale variables as the environment holds them; an empty value counts as unset.
struct LocaleVariables {
  std::string language;    // LANGUAGE: a colon-separated list of preferences
  std::string lcAll;       // LC_ALL
  std::string lcMessages;  // LC_MESSAGES
  std::string lang;        // LANG
};

LocaleVariables SystemLocale();
// "Deutsch" or "English". LANGUAGE is read only when a locale other than C or POSIX is
// set (as gettext does); its first entry the game speaks wins, and when it names none of
// them the locale itself decides.
std::string LanguageForLocale(const LocaleVariables& locale);
// A command-line value: "de", "deutsch", "german", "en", "english" in any letter case,
// or a locale name such as de_AT.UTF-8; "" when it names no language of the game.
std::string LanguageForOption(const std::string& value);
// Makes the string table speak the language; a language the table does not hold leaves
// it as it is. Returns whether the table now speaks it.
bool SelectLanguage(const std::string& name);
// The name of the language the string table speaks ("English" before it exists).
std::string CurrentLanguage();
