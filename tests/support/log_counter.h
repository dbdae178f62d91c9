// Counts a debug line, to tell which screens ran and how often.
#pragma once

#include "media/debug.h"

#include <string>

class LogCounter {
public:
  explicit LogCounter(std::string line) : line_(std::move(line)) {
    SetDebugLogHook([this](const std::string& l) { count_ += l == line_; });
  }
  ~LogCounter() { SetDebugLogHook(nullptr); }
  LogCounter(const LogCounter&) = delete;
  LogCounter& operator=(const LogCounter&) = delete;
  int Count() const { return count_; }

private:
  std::string line_;
  int count_ = 0;
};
