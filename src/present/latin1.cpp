#include "present/latin1.h"

#include <cstdint>
#include <cstdlib>

namespace {

// Length of the UTF-8 sequence that starts with lead byte b; 0 when b cannot start one.
int SequenceLength(uint8_t b) {
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) return 2;
  if (b >= 0xE0 && b <= 0xEF) return 3;
  if (b >= 0xF0 && b <= 0xF4) return 4;
  return 0;
}

}  // namespace

std::string Utf8FromLatin1(const std::string& latin1) {
  std::string out;
  for (char c : latin1) {
    const uint8_t b = uint8_t(c);
    if (b < 0x80) {
      out += c;
    } else {
      out += char(0xC0 | (b >> 6));
      out += char(0x80 | (b & 0x3F));
    }
  }
  return out;
}

std::string Latin1FromUtf8(const std::string& utf8) {
  std::string out;
  size_t i = 0;
  while (i < utf8.size()) {
    const uint8_t lead = uint8_t(utf8[i]);
    const int n = SequenceLength(lead);
    bool valid = n > 0 && i + size_t(n) <= utf8.size();
    uint32_t code = n > 1 ? lead & (0x7F >> n) : lead;
    for (int k = 1; valid && k < n; ++k) {
      const uint8_t c = uint8_t(utf8[i + size_t(k)]);
      valid = (c & 0xC0) == 0x80;
      code = (code << 6) | (c & 0x3F);
    }
    if (!valid) {
      out.push_back(char(lead));
      ++i;
      continue;
    }
    out.push_back(char(code & 0xFF));
    i += size_t(n);
  }
  return out;
}

std::string EnvironmentText(const char* name) {
  const char* v = std::getenv(name);
  return v ? Latin1FromUtf8(v) : std::string();
}
