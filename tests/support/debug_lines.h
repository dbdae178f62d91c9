// Counts the game's debug lines, to tell which screens ran and how often.
#pragma once

#include "media/debug.h"

#include <map>
#include <string>

class DebugLines {
public:
  DebugLines() {
    SetDebugLogHook([this](const std::string& l) { ++counts_[l]; });
  }
  ~DebugLines() { SetDebugLogHook(nullptr); }
  DebugLines(const DebugLines&) = delete;
  DebugLines& operator=(const DebugLines&) = delete;
  int Count(const std::string& line) const {
    const auto it = counts_.find(line);
    return it == counts_.end() ? 0 : it->second;
  }

private:
  std::map<std::string, int> counts_;
};
