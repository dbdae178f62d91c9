#include "players/ini.h"

#include "media/debug.h"
#include "media/stream.h"

#include <algorithm>

namespace {

// Case folding for one byte per character: ASCII and the Latin-1 capitals.
char Lower(char c) {
  const auto u = static_cast<unsigned char>(c);
  if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7)) return char(u + 0x20);
  return c;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

// Key: everything before the first "=" without blanks; value: the rest after "=",
// leading blanks dropped. A line without "=" has an empty key.
void SplitKeyLine(const std::string& text, std::string& key, std::string& value) {
  key.clear();
  value.clear();
  const size_t eq = text.find('=');
  if (eq == std::string::npos) return;
  for (size_t i = 0; i < eq; ++i)
    if (text[i] != ' ') key.push_back(text[i]);
  const size_t start = text.find_first_not_of(' ', eq + 1);
  if (start != std::string::npos) value = text.substr(start);
}

}  // namespace

std::shared_ptr<TIni> TIni::Create() {
  auto ini = std::make_shared<TIni>();
  ini->line.resize(1);
  return ini;
}

std::shared_ptr<TIni> TIni::Read(const std::string& path) {
  auto ini = Create();
  StreamPtr s = ReadStream(path);
  if (!s) {
    DebugLog("Ini.mod / Read : " + path + " not found");
    return ini;
  }
  // Each line read takes at least one byte, so the loop ends with the data; the line cap
  // keeps what a huge file of empty lines can make the game hold small.
  while (!s->Eof()) {
    if (ini->line.size() > size_t(MAX_LINES)) {
      DebugLog("Ini.mod / Read : " + path + " has too many lines; the rest is left out");
      break;
    }
    ini->line.push_back(s->ReadLine());
  }
  s->Close();
  ini->linecount = int(ini->line.size()) - 1;
  return ini;
}

int TIni::GetSeek(const std::string& group) const {
  if (group.empty()) return -1;
  std::string name = group;
  if (name.find('[') == std::string::npos) name = "[" + name;
  if (name.find(']') == std::string::npos) name += "]";
  for (int i = 0; i <= linecount && size_t(i) < line.size(); ++i)
    if (SameIgnoringCase(line[size_t(i)], name)) return i + 1;
  DebugLog("Ini.mod / GetSeek : group <" + name + "> not found");
  return -1;
}

std::string TIni::GetValue(int seek, const std::string& key, const std::string& defaultValue) const {
  if (seek == -1) return defaultValue;
  std::string k, value;
  for (int i = std::max(seek, 0); i <= linecount && size_t(i) < line.size(); ++i) {
    const std::string& text = line[size_t(i)];
    if (text.empty() || text[0] == '#') continue;
    if (text[0] == '[') return defaultValue;
    SplitKeyLine(text, k, value);
    if (SameIgnoringCase(k, key)) return value;
  }
  DebugLog("Ini.mod / GetValue : keyword <" + key + "> not found");
  return defaultValue;
}
