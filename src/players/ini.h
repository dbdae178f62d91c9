// A small reader of INI text: "[Group]" header lines, each followed by "key = value"
// lines; "#" starts a comment line. The whole file is kept as lines (entry 0 stays empty,
// the first line is entry 1) and each look-up scans from its group's start.
// The writing operations of the format are not provided: the game only reads.
#pragma once

#include <memory>
#include <string>
#include <vector>

class TIni {
public:
  static constexpr int MAX_LINES = 100000;  // real files have a few hundred

  std::string path;               // "" after Read
  std::vector<std::string> line;  // line[1..linecount]
  int linecount = 0;

  static std::shared_ptr<TIni> Create();
  // Every line of the file; an empty object when it cannot be opened.
  static std::shared_ptr<TIni> Read(const std::string& path);
  // Index of the line after the group's header, or −1. "english" finds "[English]".
  int GetSeek(const std::string& group) const;
  // The key's value in the group that starts at seek, or the default.
  std::string GetValue(int seek, const std::string& key, const std::string& defaultValue) const;
};
using IniPtr = std::shared_ptr<TIni>;
