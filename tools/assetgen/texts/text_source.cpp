#include "text_source.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

TextSource::TextSource(std::filesystem::path path) : name_(path.string()) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(name_ + ": cannot read");
  std::stringstream content;
  content << in.rdbuf();
  Split(content.str());
}

TextSource::TextSource(std::string name, const std::string& content) : name_(std::move(name)) {
  Split(content);
}

void TextSource::Split(const std::string& content) {
  std::istringstream in(content);
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines_.push_back({number, line});
  }
}

void TextSource::Fail(int line, const std::string& message) const {
  throw std::runtime_error(name_ + ":" + std::to_string(line) + ": " + message);
}

std::string TextSource::ToLatin1(const std::string& utf8, int line) const {
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += char(c);
      continue;
    }
    // Only two-byte sequences can encode U+0080..U+00FF.
    if ((c & 0xE0) != 0xC0) {
      if ((c & 0xC0) == 0x80) Fail(line, "broken UTF-8");
      Fail(line, "character beyond ISO 8859-1 (the game's fonts stop at U+00FF)");
    }
    if (i + 1 >= utf8.size() || (static_cast<unsigned char>(utf8[i + 1]) & 0xC0) != 0x80)
      Fail(line, "broken UTF-8");
    const unsigned code = (c & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
    if (code < 0x80) Fail(line, "broken UTF-8 (overlong)");
    if (code > 0xFF) Fail(line, "character beyond ISO 8859-1 (the game's fonts stop at U+00FF)");
    if (code < 0xA0) Fail(line, "control character (U+0080..U+009F)");
    out += char(code);
    ++i;
  }
  return out;
}
