// Choosing the game's language from the locale variables and from a command-line value,
// and switching the string table to it.
#include "media/resource_store.h"
#include "present/language.h"
#include "present/language_choice.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// LANGUAGE, LC_ALL, LC_MESSAGES, LANG.
std::string For(const char* language, const char* lcAll, const char* lcMessages, const char* lang) {
  return LanguageForLocale({language, lcAll, lcMessages, lang});
}

}  // namespace

TEST(LanguageChoice, GermanForEveryGermanLocaleEnglishOtherwise) {
  const std::string de = GERMAN_LANGUAGE, en = "English";
  EXPECT_EQ(For("", "", "", ""), en);  // nothing set
  EXPECT_EQ(For("", "", "", "C"), en);
  EXPECT_EQ(For("", "", "", "POSIX"), en);
  EXPECT_EQ(For("", "", "", "C.UTF-8"), en);
  EXPECT_EQ(For("", "", "", "en_US.UTF-8"), en);
  EXPECT_EQ(For("", "", "", "fr_FR.UTF-8"), en);
  for (const char* german : {"de", "de_DE", "de_AT", "de_CH", "de_DE.UTF-8", "de_AT.ISO-8859-1", "de_CH@euro",
                             "de_DE.UTF-8@euro", "de_LU"})
    EXPECT_EQ(For("", "", "", german), de) << german;
  EXPECT_EQ(For("", "", "", "dex_DE"), en);  // a language code is whole
  EXPECT_EQ(For("", "", "", "es_DE.UTF-8"), en);  // the territory alone says nothing
}

TEST(LanguageChoice, VariablesTakeTheirUsualPrecedence) {
  const std::string de = GERMAN_LANGUAGE, en = "English";
  EXPECT_EQ(For("", "de_DE.UTF-8", "en_GB.UTF-8", "en_US.UTF-8"), de);  // LC_ALL first
  EXPECT_EQ(For("", "", "de_DE.UTF-8", "en_US.UTF-8"), de);             // then LC_MESSAGES
  EXPECT_EQ(For("", "en_US.UTF-8", "de_DE.UTF-8", "de_DE.UTF-8"), en);
  EXPECT_EQ(For("", "C", "", "de_DE.UTF-8"), en);  // LC_ALL=C overrides everything
  // LANGUAGE is a list of preferences: the first one the game speaks wins.
  EXPECT_EQ(For("fr:de", "", "", "en_US.UTF-8"), de);
  EXPECT_EQ(For("fr_FR:de_AT:en", "", "", "en_US.UTF-8"), de);
  EXPECT_EQ(For("en:de", "", "", "de_DE.UTF-8"), en);
  EXPECT_EQ(For("de", "", "", "fr_FR.UTF-8"), de);
  EXPECT_EQ(For(":fr:", "", "", "de_DE.UTF-8"), de);  // nothing usable there: the locale decides
  // As with gettext, LANGUAGE counts only when a real locale is set.
  EXPECT_EQ(For("fr:de", "", "", ""), en);
  EXPECT_EQ(For("de", "", "", "C"), en);
  EXPECT_EQ(For("de", "POSIX", "", "de_DE.UTF-8"), en);
}

TEST(LanguageChoice, SystemLocaleReadsTheFourVariables) {
  ::setenv("LANGUAGE", "fr:de", 1);
  ::setenv("LC_ALL", "", 1);
  ::unsetenv("LC_MESSAGES");
  ::setenv("LANG", "en_US.UTF-8", 1);
  const LocaleVariables v = SystemLocale();
  EXPECT_EQ(v.language, "fr:de");
  EXPECT_EQ(v.lcAll, "");
  EXPECT_EQ(v.lcMessages, "");
  EXPECT_EQ(v.lang, "en_US.UTF-8");
  EXPECT_EQ(LanguageForLocale(v), GERMAN_LANGUAGE);
}

TEST(LanguageChoice, CommandLineValuesNameALanguageOrNothing) {
  for (const char* v : {"de", "DE", "Deutsch", "german", "de_CH.UTF-8"})
    EXPECT_EQ(LanguageForOption(v), GERMAN_LANGUAGE) << v;
  for (const char* v : {"en", "English", "ENGLISH", "en_GB"}) EXPECT_EQ(LanguageForOption(v), "English") << v;
  for (const char* v : {"", "fr", "klingon", "C"}) EXPECT_EQ(LanguageForOption(v), "") << v;
}

TEST(LanguageChoice, SelectingSwitchesTheTableOnlyToALanguageItHolds) {
  ClearResources();
  RegisterEmbeddedResources();
  Language = std::make_shared<TLanguage>();
  EXPECT_EQ(CurrentLanguage(), "English");
  EXPECT_TRUE(SelectLanguage(GERMAN_LANGUAGE));
  EXPECT_EQ(CurrentLanguage(), GERMAN_LANGUAGE);
  EXPECT_EQ(Text("New"), "Neu");
  EXPECT_FALSE(SelectLanguage("Klingon"));
  EXPECT_EQ(CurrentLanguage(), GERMAN_LANGUAGE);
  EXPECT_EQ(Language->GetLanguages(), (std::vector<std::string>{"English", GERMAN_LANGUAGE}));
  EXPECT_TRUE(SelectLanguage("English"));
  EXPECT_EQ(Text("New"), "New");
  Language = nullptr;
}
