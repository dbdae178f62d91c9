#include "present/language_choice.h"

#include "media/debug.h"
#include "present/language.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

namespace {

std::string Variable(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  return s;
}

// The language part of a locale name: "de" of "de_CH.UTF-8@euro".
std::string LanguageCode(const std::string& locale) {
  return Lower(locale.substr(0, locale.find_first_of("_.@")));
}

// The game's language for one locale name or LANGUAGE entry; "" when it has none.
std::string GameLanguageOf(const std::string& locale) {
  const std::string code = LanguageCode(locale);
  if (code == "de") return GERMAN_LANGUAGE;
  if (code == "en") return TLanguage::DEFAULT_LANGUAGE;
  return {};
}

}  // namespace

LocaleVariables SystemLocale() {
  return {Variable("LANGUAGE"), Variable("LC_ALL"), Variable("LC_MESSAGES"), Variable("LANG")};
}

std::string LanguageForLocale(const LocaleVariables& v) {
  std::string locale;
  for (const std::string* s : {&v.lcAll, &v.lcMessages, &v.lang})
    if (!s->empty()) {
      locale = *s;
      break;
    }
  // The C locale asks for untranslated messages whatever LANGUAGE says.
  if (locale.empty() || locale == "C" || locale == "POSIX" || LanguageCode(locale) == "c")
    return TLanguage::DEFAULT_LANGUAGE;
  std::istringstream preferences(v.language);
  for (std::string entry; std::getline(preferences, entry, ':');)
    if (const std::string name = GameLanguageOf(entry); !name.empty()) return name;
  const std::string name = GameLanguageOf(locale);
  return name.empty() ? TLanguage::DEFAULT_LANGUAGE : name;
}

std::string LanguageForOption(const std::string& value) {
  const std::string lower = Lower(value);
  if (lower == "deutsch" || lower == "german") return GERMAN_LANGUAGE;
  if (lower == "english" || lower == "englisch") return TLanguage::DEFAULT_LANGUAGE;
  return value.empty() ? std::string() : GameLanguageOf(value);
}

bool SelectLanguage(const std::string& name) {
  if (!Language) return false;
  const std::vector<std::string> names = Language->GetLanguages();
  if (std::find(names.begin(), names.end(), name) == names.end()) {
    DebugLog("No texts for the language " + name);
    return false;
  }
  Language->SetLanguage(name);
  DebugLog("Language: " + name);
  return true;
}

std::string CurrentLanguage() {
  if (Language)
    for (const LanEntryPtr& l : Language->languages)
      if (l->lan == Language->currentLanMap) return l->LanguageName;
  return TLanguage::DEFAULT_LANGUAGE;
}
