// The string table. Every text the player sees is fetched by its English text, keyed by
// the MD5 digest of that text, with "$name" parameters filled in. The table learns each
// text it does not hold, so writing it back gives a complete file for translators.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

using LanMap = std::map<std::string, std::string>;  // key → text, ascending key order
using LanMapPtr = std::shared_ptr<LanMap>;

struct HelpFunctions {
  static std::string MD5(const std::string& text);
  static uint32_t Rol(uint32_t v, int n);
  static std::string LEHex(uint32_t v);
};

class TLanEntry {
public:
  LanMapPtr lan;
  std::string LanguageName;

  void SetLanguageMap(LanMapPtr map) { lan = std::move(map); }
  LanMapPtr GetLanguageMap() const { return lan; }
  void SetLanguageName(const std::string& name) { LanguageName = name; }
  std::string GetLanguageName() const { return LanguageName; }
  static std::shared_ptr<TLanEntry> Construct(const std::string& name);
};
using LanEntryPtr = std::shared_ptr<TLanEntry>;

class TLanguage {
public:
  static constexpr const char* DEFAULT_LANGUAGE = "English";
  static constexpr const char* DEFAULT_FILENAME = "incbin::../lang/default.lang";

  // Builds the table with an empty "English", reads DEFAULT_FILENAME and makes the
  // selected map the one that learns new texts.
  TLanguage();

  std::vector<LanEntryPtr> languages;
  LanMapPtr currentLanMap;
  std::string filename;
  LanMapPtr defaultLanguage;

  void SetFilename(const std::string& name, bool noRead);
  static int SizeOfEntry(const LanMap& map) { return int(map.size()); }
  // false when the file cannot be written (an embedded table never can).
  bool Write();
  std::vector<std::string> GetLanguages() const;
  LanMapPtr GetLanguageMap() const { return currentLanMap; }
  void Read();
  void SetLanguage(const std::string& name);
  void SetStringByKey(const std::string& key, const std::string& text);
  LanMapPtr GetDefaultLanguageMap() const { return defaultLanguage; }
  // params are (name, value) pairs; an empty list leaves "$name" texts as they are.
  std::string GetString(const std::string& text, const std::vector<std::string>& params = {});
  std::string GetStringByKey(const std::string& key) const;
  std::string GetDefaultStringByKey(const std::string& key) const;
  static std::string ReplaceParameters(const std::string& text, const std::vector<std::string>& params);
};
using LanguagePtr = std::shared_ptr<TLanguage>;

extern LanguagePtr Language;

// A text of the game in the current language, with its parameters filled in (the text
// itself before the string table has started).
std::string Text(const std::string& key, const std::vector<std::string>& params = {});

// Creates Language once; the embedded resources must be registered before.
void InitStrings();
