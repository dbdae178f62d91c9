// A hand-written text source under assets/: its UTF-8 lines with their numbers, the
// conversion to the game's single-byte text (ISO 8859-1), and errors that name the file
// and line so a writer can find the mistake.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

struct SourceLine {
  int number = 0;    // 1-based
  std::string text;  // without its line end
};

class TextSource {
public:
  // Reads the file; throws when it cannot be read.
  explicit TextSource(std::filesystem::path path);
  // A source held in memory (tests), reported under the given name.
  TextSource(std::string name, const std::string& content);

  const std::vector<SourceLine>& Lines() const { return lines_; }
  // Throws std::runtime_error("<file>:<line>: <message>").
  [[noreturn]] void Fail(int line, const std::string& message) const;
  // UTF-8 to ISO 8859-1; fails on broken UTF-8 and on characters above U+00FF.
  std::string ToLatin1(const std::string& utf8, int line) const;

private:
  void Split(const std::string& content);

  std::string name_;
  std::vector<SourceLine> lines_;
};
