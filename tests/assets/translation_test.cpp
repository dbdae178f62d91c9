// The German translation against the English list: every English text has a German entry
// with the same $ parameters and nothing is left over, the shipped table reads back to
// exactly the two source lists, and a German text that is missing falls back to English.
// When a new English text lands, the first test names it with its line in english.txt.
#include "media/resource_store.h"
#include "media/stream.h"
#include "present/language.h"
#include "present/language_choice.h"
#include "string_list.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>

namespace {

const std::string LANG_DIR = QV_SOURCE_DIR "/assets/lang/";

std::vector<StringEntry> EnglishList() { return ParseStringList(TextSource(LANG_DIR + "english.txt")); }
std::vector<Translation> GermanList() { return ParseTranslationList(TextSource(LANG_DIR + "german.txt")); }

std::multiset<std::string> Parameters(const std::string& text) {
  static const std::regex name(R"(\$([A-Za-z0-9]+))");
  std::multiset<std::string> names;
  for (std::sregex_iterator it(text.begin(), text.end(), name), end; it != end; ++it) names.insert((*it)[1]);
  return names;
}

// The shipped table, read by the game's reader.
std::shared_ptr<TLanguage> ShippedTable() {
  ClearResources();
  RegisterEmbeddedResources();
  return std::make_shared<TLanguage>();
}

LanMap MapOf(TLanguage& table, const std::string& language) {
  table.SetLanguage(language);
  return *table.GetLanguageMap();
}

}  // namespace

TEST(Translation, EveryEnglishTextHasAGermanEntryAndNothingIsLeftOver) {
  std::map<std::string, const Translation*> german;
  const std::vector<Translation> translations = GermanList();
  for (const Translation& t : translations) german[t.english] = &t;
  for (const StringEntry& e : EnglishList()) {
    const auto it = german.find(e.text);
    if (it == german.end()) {
      ADD_FAILURE() << "english.txt:" << e.line << " has no German entry in german.txt: \"" << e.text << "\"";
      continue;
    }
    EXPECT_EQ(Parameters(it->second->text), Parameters(e.text)) << "german.txt:" << it->second->line;
    EXPECT_FALSE(it->second->text.empty()) << "german.txt:" << it->second->line;
    german.erase(it);
  }
  for (const auto& [english, t] : german)
    ADD_FAILURE() << "german.txt:" << t->line << " translates a text english.txt does not have: \"" << english << "\"";
}

TEST(Translation, ShippedTableReadsBackToTheSourceLists) {
  const auto table = ShippedTable();
  EXPECT_EQ(table->GetLanguages(), (std::vector<std::string>{"English", GERMAN_LANGUAGE}));
  const LangTable english = EnglishTable(EnglishList());
  const LangTable german = TranslatedTable(GERMAN_LANGUAGE, GermanList());
  EXPECT_EQ(MapOf(*table, "English"), english.texts);
  EXPECT_EQ(MapOf(*table, GERMAN_LANGUAGE), german.texts);

  // Written again, the table gives the shipped bytes, which are the generator's bytes.
  std::vector<uint8_t> shipped;
  ASSERT_TRUE(LoadBytes(TLanguage::DEFAULT_FILENAME, shipped));
  EXPECT_EQ(shipped, EncodeLangFile({english, german}));
  const auto dir = std::filesystem::temp_directory_path() / "qv_translation_test";
  std::filesystem::create_directories(dir);
  table->filename = (dir / "again.lang").string();
  ASSERT_TRUE(table->Write());
  std::vector<uint8_t> again;
  ASSERT_TRUE(LoadBytes(table->filename, again));
  EXPECT_EQ(again, shipped);
}

TEST(Translation, AMissingGermanTextFallsBackToEnglishNeverToEmpty) {
  const auto table = ShippedTable();
  table->SetLanguage(GERMAN_LANGUAGE);
  EXPECT_EQ(table->GetString("New"), "Neu");
  EXPECT_EQ(table->GetString("Score: $score", {"score", "1200"}), "Punkte: 1200");
  // A text the German list lost, or holds empty, shows in English.
  table->GetLanguageMap()->erase(HelpFunctions::MD5("Delete"));
  EXPECT_EQ(table->GetString("Delete"), "Delete");
  table->SetStringByKey(HelpFunctions::MD5("Highscore"), "");
  EXPECT_EQ(table->GetString("Highscore"), "Highscore");
  // A text nobody wrote down shows as the code passes it.
  EXPECT_EQ(table->GetString("A new text, $n", {"n", "1"}), "A new text, 1");
}
