#include "string_list.h"

#include "present/md5.h"

#include <map>
#include <stdexcept>

namespace {

std::string TrimLeft(const std::string& s) {
  const size_t start = s.find_first_not_of(" \t");
  return start == std::string::npos ? std::string() : s.substr(start);
}

bool HasControl(const std::string& s) {
  for (unsigned char c : s)
    if (c < 32 || c == 127) return true;
  return false;
}

// The text between the quotes of a one-line entry, escapes resolved.
std::string ParseQuoted(const TextSource& source, const SourceLine& line, const std::string& body) {
  std::string text;
  size_t i = 1;  // past the opening quote
  for (;; ++i) {
    if (i >= body.size()) source.Fail(line.number, "text not closed by a double quote");
    const char c = body[i];
    if (c == '"') break;
    if (c != '\\') {
      text += c;
      continue;
    }
    if (++i >= body.size()) source.Fail(line.number, "text not closed by a double quote");
    switch (body[i]) {
      case 'n': text += '\n'; break;
      case '\\': text += '\\'; break;
      case '"': text += '"'; break;
      default:
        source.Fail(line.number, std::string("unknown escape \\") + body[i] +
                                     " (use \\n, \\\\ or \\\")");
    }
  }
  const std::string rest = TrimLeft(body.substr(i + 1));
  if (!rest.empty() && rest[0] != '#')
    source.Fail(line.number, "unexpected characters after the closing quote");
  return text;
}

}  // namespace

std::vector<StringEntry> ParseStringList(const TextSource& source) {
  std::vector<StringEntry> entries;
  const std::vector<SourceLine>& lines = source.Lines();
  for (size_t n = 0; n < lines.size(); ++n) {
    const SourceLine& line = lines[n];
    const std::string body = TrimLeft(line.text);
    if (body.empty() || body[0] == '#') continue;
    StringEntry entry;
    entry.line = line.number;
    if (body[0] == '"') {
      if (HasControl(body)) source.Fail(line.number, "tab or control character in a text");
      entry.text = source.ToLatin1(ParseQuoted(source, line, body), line.number);
    } else if (body == "<<<") {
      std::string text;
      bool closed = false, first = true;
      for (++n; n < lines.size(); ++n) {
        const SourceLine& inner = lines[n];
        if (inner.text == ">>>") {
          closed = true;
          break;
        }
        if (HasControl(inner.text))
          source.Fail(inner.number, "tab or control character in a text");
        if (!inner.text.empty() && inner.text.back() == ' ')
          source.Fail(inner.number, "trailing blank in a <<< block (it would be invisible)");
        if (!first) text += '\n';
        first = false;
        text += source.ToLatin1(inner.text, inner.number);
      }
      if (!closed) source.Fail(line.number, "<<< block without its closing >>> line");
      entry.text = text;
    } else {
      source.Fail(line.number, "expected a \"quoted text\", a <<< block or a # comment");
    }
    if (entry.text.empty()) source.Fail(entry.line, "empty text");
    for (const StringEntry& other : entries)
      if (other.text == entry.text)
        source.Fail(entry.line, "same text as line " + std::to_string(other.line));
    entries.push_back(entry);
  }
  return entries;
}

std::vector<uint8_t> EncodeLangFile(const std::string& language,
                                    const std::vector<StringEntry>& entries) {
  std::map<std::string, const StringEntry*> byKey;  // ascending byte order of the keys
  for (const StringEntry& e : entries) {
    auto [it, added] = byKey.emplace(MD5(e.text), &e);
    if (!added)
      throw std::runtime_error("texts of lines " + std::to_string(it->second->line) + " and " +
                               std::to_string(e.line) + " share an MD5 key");
  }
  std::vector<uint8_t> out;
  auto putInt = [&out](size_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(uint32_t(v) >> (8 * i)));
  };
  auto putText = [&](const std::string& s) {
    putInt(s.size());
    out.insert(out.end(), s.begin(), s.end());
  };
  putText(language);
  putInt(byKey.size());
  for (const auto& [key, entry] : byKey) {
    out.insert(out.end(), key.begin(), key.end());
    putText(entry->text);
  }
  return out;
}
