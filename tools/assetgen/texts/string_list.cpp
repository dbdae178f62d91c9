#include "string_list.h"

#include "present/md5.h"

#include <cctype>
#include <map>
#include <set>
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

// One entry whose first line is lines[n] with the text `body` (a quoted text or a <<<
// block); n is left on its last line.
StringEntry ReadEntry(const TextSource& source, const std::vector<SourceLine>& lines, size_t& n,
                      const std::string& body) {
  const SourceLine& line = lines[n];
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
      if (HasControl(inner.text)) source.Fail(inner.number, "tab or control character in a text");
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
  return entry;
}

// The "$name" parameters of a text, in order of appearance.
std::multiset<std::string> Parameters(const std::string& text) {
  std::multiset<std::string> names;
  for (size_t at = text.find('$'); at != std::string::npos; at = text.find('$', at + 1)) {
    size_t end = at + 1;
    while (end < text.size() && std::isalnum(static_cast<unsigned char>(text[end]))) ++end;
    if (end > at + 1) names.insert(text.substr(at + 1, end - at - 1));
  }
  return names;
}

void PutInt(std::vector<uint8_t>& out, size_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(uint32_t(v) >> (8 * i)));
}

void PutText(std::vector<uint8_t>& out, const std::string& s) {
  PutInt(out, s.size());
  out.insert(out.end(), s.begin(), s.end());
}

}  // namespace

std::vector<StringEntry> ParseStringList(const TextSource& source) {
  std::vector<StringEntry> entries;
  const std::vector<SourceLine>& lines = source.Lines();
  for (size_t n = 0; n < lines.size(); ++n) {
    const std::string body = TrimLeft(lines[n].text);
    if (body.empty() || body[0] == '#') continue;
    const StringEntry entry = ReadEntry(source, lines, n, body);
    for (const StringEntry& other : entries)
      if (other.text == entry.text)
        source.Fail(entry.line, "same text as line " + std::to_string(other.line));
    entries.push_back(entry);
  }
  return entries;
}

std::vector<Translation> ParseTranslationList(const TextSource& source) {
  std::vector<Translation> translations;
  const std::vector<SourceLine>& lines = source.Lines();
  bool open = false;  // the last English text still waits for its translation
  for (size_t n = 0; n < lines.size(); ++n) {
    std::string body = TrimLeft(lines[n].text);
    if (body.empty() || body[0] == '#') continue;
    const int number = lines[n].number;
    const bool translated = body[0] == '=';
    if (translated != open)
      source.Fail(number, translated ? "a translation (= ...) without its English text before it"
                                     : "the English text before this one has no translation (= ...)");
    if (translated) body = TrimLeft(body.substr(1));
    if (body.empty()) source.Fail(number, "expected a text after =");
    const StringEntry entry = ReadEntry(source, lines, n, body);
    if (translated) {
      Translation& t = translations.back();
      t.text = entry.text;
      if (Parameters(t.english) != Parameters(t.text))
        source.Fail(number, "the translation's $ parameters differ from the English text's");
    } else {
      for (const Translation& other : translations)
        if (other.english == entry.text)
          source.Fail(entry.line, "same English text as line " + std::to_string(other.line));
      translations.push_back({entry.line, entry.text, {}});
    }
    open = !translated;
  }
  if (open) source.Fail(translations.back().line, "the last English text has no translation (= ...)");
  return translations;
}

LangTable EnglishTable(const std::vector<StringEntry>& entries) {
  LangTable table{"English", {}};
  std::map<std::string, int> lineOf;
  for (const StringEntry& e : entries) {
    const std::string key = MD5(e.text);
    auto [it, added] = lineOf.emplace(key, e.line);
    if (!added)
      throw std::runtime_error("texts of lines " + std::to_string(it->second) + " and " + std::to_string(e.line) +
                               " share an MD5 key");
    table.texts[key] = e.text;
  }
  return table;
}

LangTable TranslatedTable(const std::string& language, const std::vector<Translation>& translations) {
  LangTable table{language, {}};
  for (const Translation& t : translations) table.texts[MD5(t.english)] = t.text;
  return table;
}

std::vector<uint8_t> EncodeLangFile(const std::vector<LangTable>& languages) {
  std::vector<uint8_t> out;
  for (const LangTable& l : languages) {
    PutText(out, l.name);
    PutInt(out, l.texts.size());
    for (const auto& [key, text] : l.texts) {  // ascending byte order of the keys
      out.insert(out.end(), key.begin(), key.end());
      PutText(out, text);
    }
  }
  return out;
}
