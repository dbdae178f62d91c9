// The English string table: the readable list under assets/lang/ and the .lang file the
// game reads ("lang/default.lang": one language, every entry keyed by the MD5 of its own
// text, entries in ascending key order).
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
// The file is UTF-8; every character must exist in ISO 8859-1.
#pragma once

#include "text_source.h"

#include <cstdint>
#include <string>
#include <vector>

struct StringEntry {
  int line = 0;      // where the entry starts
  std::string text;  // ISO 8859-1 bytes
};

std::vector<StringEntry> ParseStringList(const TextSource& source);
// The .lang bytes for one language holding every text under its own key.
std::vector<uint8_t> EncodeLangFile(const std::string& language,
                                    const std::vector<StringEntry>& entries);
