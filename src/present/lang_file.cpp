// The ".lang" file: per language a length-prefixed name, an entry count and the entries
// (32-byte key, length-prefixed text), repeated to the end of the file. The reader trusts
// no length: a prefix or count that the remaining bytes cannot hold ends the read, and
// the entries read whole are kept.
#include "present/language.h"

#include "media/debug.h"
#include "media/stream.h"

namespace {

constexpr int KEY_LENGTH = 32;
constexpr uint64_t MIN_ENTRY_BYTES = KEY_LENGTH + 4;

// Reads a count whose items take at least `unit` bytes each; false when it is negative
// or more than the rest of the stream can hold.
bool ReadCount(TStream& s, uint64_t unit, int32_t& n) {
  if (s.Remaining() < 4) return false;
  n = s.ReadInt();
  return n >= 0 && uint64_t(n) * unit <= s.Remaining();
}

bool ReadText(TStream& s, std::string& text) {
  int32_t n = 0;
  if (!ReadCount(s, 1, n)) return false;
  text = s.ReadString(n);
  return true;
}

// One language; false when the data ended or lied before the language was complete
// (the entries read until then are in `entry`).
bool ReadLanguage(TStream& s, LanEntryPtr& entry) {
  std::string name;
  int32_t count = 0;
  if (!ReadText(s, name)) return false;
  entry = TLanEntry::Construct(name);
  DebugLog("Read language: " + name);
  if (!ReadCount(s, MIN_ENTRY_BYTES, count)) return false;
  for (int32_t i = 0; i < count; ++i) {
    if (s.Remaining() < MIN_ENTRY_BYTES) return false;
    const std::string key = s.ReadString(KEY_LENGTH);
    std::string text;
    if (!ReadText(s, text)) return false;
    (*entry->lan)[key] = text;
  }
  return true;
}

}  // namespace

void TLanguage::Read() {
  DebugLog("reading...");
  StreamPtr s = ReadStream(filename);
  if (!s) return;
  languages.clear();
  while (!s->Eof()) {
    LanEntryPtr entry;
    const bool whole = ReadLanguage(*s, entry);
    if (entry) languages.push_back(entry);
    if (!whole) {
      DebugLog("Language file damaged at byte " + std::to_string(s->Position()) + ": " + filename);
      break;
    }
  }
  s->Close();
  SetLanguage(DEFAULT_LANGUAGE);
}

bool TLanguage::Write() {
  StreamPtr s = WriteStream(filename);
  if (!s) return false;
  DebugLog("Start writing...");
  for (const auto& l : languages) {
    DebugLog("Write language: " + l->LanguageName);
    s->WriteInt(int32_t(l->LanguageName.size()));
    s->WriteString(l->LanguageName);
    // Only digest keys fit the fixed-width key field.
    int32_t count = 0;
    for (const auto& [key, text] : *l->lan) count += key.size() == KEY_LENGTH;
    s->WriteInt(count);
    for (const auto& [key, text] : *l->lan) {
      if (key.size() != KEY_LENGTH) continue;
      s->WriteString(key);
      s->WriteInt(int32_t(text.size()));
      s->WriteString(text);
    }
  }
  return s->Close();
}
