// The string table: the readable lists under assets/lang/ and the .lang file the game
// reads ("lang/default.lang": English, every entry keyed by the MD5 of its own text, then
// each translation keyed by the MD5 of the English text it stands for; entries of each
// language in ascending key order).
//
// List syntax, one text per entry:
//   # comment                      (whole lines only; blank lines are ignored)
//   "Start game"                   a text in double quotes, on one line; escapes:
//                                    \n  a line break (LF)
//                                    \\  one backslash, so \\n is backslash + n
//                                    \"  a double quote
//   <<<                            a text over several lines, taken verbatim and joined
//   Ostravin presents:             with line breaks (LF), up to a line holding only >>>
//   >>>
// A translation list holds pairs: the English text as above, then its translation on the
// next entry, marked by a leading "=" (= "Spiel starten", or = <<< for a block). The
// translation must carry the same $ parameters as the English text.
// The files are UTF-8; every character must exist in ISO 8859-1.
#pragma once

#include "text_source.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct StringEntry {
  int line = 0;      // where the entry starts
  std::string text;  // ISO 8859-1 bytes
};

struct Translation {
  int line = 0;         // where the English text starts
  std::string english;  // ISO 8859-1 bytes, the key's text
  std::string text;     // ISO 8859-1 bytes, the translation
};

// One language of the .lang file: key → text.
struct LangTable {
  std::string name;
  std::map<std::string, std::string> texts;
};

std::vector<StringEntry> ParseStringList(const TextSource& source);
std::vector<Translation> ParseTranslationList(const TextSource& source);
// Every text under its own key; throws when two texts share a key.
LangTable EnglishTable(const std::vector<StringEntry>& entries);
// Every translation under the key of its English text.
LangTable TranslatedTable(const std::string& language, const std::vector<Translation>& translations);
// The .lang bytes of the languages, in the given order.
std::vector<uint8_t> EncodeLangFile(const std::vector<LangTable>& languages);
