// Error collection for the level compiler: every message names the source file and line,
// and a file with errors fails as a whole after all its errors have been listed.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace levels {

class LevelError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class Diagnostics {
public:
  explicit Diagnostics(std::string file) : file_(std::move(file)) {}
  void Error(int line, const std::string& message);
  bool Empty() const { return messages_.empty(); }
  // Throws one LevelError listing every message, one a line.
  void ThrowIfAny() const;
  const std::string& File() const { return file_; }

private:
  std::string file_;
  std::vector<std::string> messages_;
};

}  // namespace levels
