#include "quotations.h"

namespace {

void CheckQuotation(const TextSource& source, const Quotation& q) {
  const std::string& t = q.text;
  if (t.size() > QUOTATION_MAX_CHARS)
    source.Fail(q.line, std::to_string(t.size()) + " characters; at most " +
                            std::to_string(QUOTATION_MAX_CHARS) + " fit");
  if (t.front() == ' ' || t.back() == ' ')
    source.Fail(q.line, "blank at the start or end (the INI reader would change it)");
  for (size_t i = 0; i < t.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(t[i]);
    if (c < 32 || c == 127) source.Fail(q.line, "tab or control character");
    if (c == '\\' && (i + 1 >= t.size() || t[i + 1] != 'n'))
      source.Fail(q.line, "a backslash is only allowed as \\n (a line break)");
  }
  if (t.rfind("\\n", 0) == 0 || (t.size() >= 2 && t.compare(t.size() - 2, 2, "\\n") == 0))
    source.Fail(q.line, "\\n at the start or end of a quotation");
}

}  // namespace

std::vector<QuotationGroup> ParseQuotations(const TextSource& source) {
  std::vector<QuotationGroup> groups;
  for (const SourceLine& line : source.Lines()) {
    const std::string& t = line.text;
    if (t.empty() || t[0] == '#') continue;
    if (t[0] == '[') {
      if (t.size() < 3 || t.back() != ']' || t.find_first_of("[]", 1) != t.size() - 1)
        source.Fail(line.number, "a group header is [Name] alone on its line");
      QuotationGroup group;
      group.line = line.number;
      group.name = t.substr(1, t.size() - 2);
      for (const QuotationGroup& other : groups)
        if (other.name == group.name)
          source.Fail(line.number, "group [" + group.name + "] again (first at line " +
                                       std::to_string(other.line) + ")");
      groups.push_back(group);
      continue;
    }
    if (groups.empty()) source.Fail(line.number, "quotation before the first [Group] line");
    Quotation q{line.number, source.ToLatin1(t, line.number)};
    CheckQuotation(source, q);
    for (const Quotation& other : groups.back().quotations)
      if (other.text == q.text)
        source.Fail(line.number, "same quotation as line " + std::to_string(other.line));
    groups.back().quotations.push_back(q);
  }
  return groups;
}

std::string EncodeWisdomsIni(const std::vector<QuotationGroup>& groups) {
  std::string out;
  for (const QuotationGroup& group : groups) {
    out += "[" + group.name + "]\r\n";
    out += "Anzahl=" + std::to_string(group.quotations.size()) + "\r\n";
    for (size_t i = 0; i < group.quotations.size(); ++i)
      out += std::to_string(i + 1) + "=" + group.quotations[i].text + "\r\n";
  }
  return out;
}

int WisdomScreenLines(const std::string& text, const FontWidths& headline) {
  auto width = [&headline](unsigned char c) {
    return c >= FONT_FIRST_CODE ? headline[size_t(c - FONT_FIRST_CODE)] : 0;
  };
  int lines = 1, lineWidth = 0, wordWidth = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    const bool end = i == text.size();
    const bool forced = !end && text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n';
    if (!end && text[i] != '\\') wordWidth += width(static_cast<unsigned char>(text[i]));
    if (!end && text[i] != ' ' && !forced) continue;
    if (forced) {
      ++lines;
      lineWidth = wordWidth = 0;
      ++i;  // the n
    } else if (lineWidth + wordWidth > 500) {
      ++lines;
      lineWidth = wordWidth;
      wordWidth = 0;
    } else {
      lineWidth += wordWidth;
      wordWidth = 0;
    }
  }
  return lines;
}
