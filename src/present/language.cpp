#include "present/language.h"

#include "media/stream.h"
#include "present/md5.h"

LanguagePtr Language;

std::string HelpFunctions::MD5(const std::string& text) { return ::MD5(text); }
uint32_t HelpFunctions::Rol(uint32_t v, int n) { return ::Rol(v, n); }
std::string HelpFunctions::LEHex(uint32_t v) { return ::LEHex(v); }

LanEntryPtr TLanEntry::Construct(const std::string& name) {
  auto entry = std::make_shared<TLanEntry>();
  entry->LanguageName = name;
  entry->lan = std::make_shared<LanMap>();
  return entry;
}

namespace {

std::string Lookup(const LanMapPtr& map, const std::string& key) {
  if (!map) return {};
  const auto it = map->find(key);
  return it == map->end() ? std::string() : it->second;
}

}  // namespace

TLanguage::TLanguage() {
  languages.push_back(TLanEntry::Construct(DEFAULT_LANGUAGE));
  SetLanguage(DEFAULT_LANGUAGE);
  SetFilename(DEFAULT_FILENAME, false);
  defaultLanguage = GetLanguageMap();
}

void TLanguage::SetFilename(const std::string& name, bool noRead) {
  filename = name;
  if (FileExists(name) && !noRead) Read();
}

std::vector<std::string> TLanguage::GetLanguages() const {
  std::vector<std::string> names;
  for (const auto& l : languages) names.push_back(l->LanguageName);
  return names;
}

void TLanguage::SetLanguage(const std::string& name) {
  for (const auto& l : languages)
    if (l->LanguageName == name) {
      currentLanMap = l->lan;
      return;
    }
  auto entry = TLanEntry::Construct(name);
  currentLanMap = entry->lan;
  languages.push_back(entry);
}

void TLanguage::SetStringByKey(const std::string& key, const std::string& text) {
  (*currentLanMap)[key] = text;
}

std::string TLanguage::GetStringByKey(const std::string& key) const { return Lookup(currentLanMap, key); }

std::string TLanguage::GetDefaultStringByKey(const std::string& key) const {
  return Lookup(defaultLanguage, key);
}

std::string TLanguage::GetString(const std::string& text, const std::vector<std::string>& params) {
  const std::string key = HelpFunctions::MD5(text);
  std::string t = Lookup(currentLanMap, key);
  if (t.empty()) {
    t = Lookup(defaultLanguage, key);
    if (t.empty()) {
      if (defaultLanguage) (*defaultLanguage)[key] = text;
      t = text;
    }
  }
  return params.empty() ? t : ReplaceParameters(t, params);
}

std::string TLanguage::ReplaceParameters(const std::string& text, const std::vector<std::string>& params) {
  std::string result = text;
  for (size_t i = 0; i + 1 < params.size(); i += 2) {
    const std::string from = "$" + params[i];
    const std::string& to = params[i + 1];
    for (size_t at = result.find(from); at != std::string::npos; at = result.find(from, at + to.size()))
      result.replace(at, from.size(), to);
  }
  return result;
}

void InitStrings() {
  static bool done = false;
  if (done) return;
  done = true;
  Language = std::make_shared<TLanguage>();
}

std::string Text(const std::string& key, const std::vector<std::string>& params) {
  return Language ? Language->GetString(key, params) : TLanguage::ReplaceParameters(key, params);
}
