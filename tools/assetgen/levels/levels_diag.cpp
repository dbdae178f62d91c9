#include "levels_diag.h"

namespace levels {

void Diagnostics::Error(int line, const std::string& message) {
  messages_.push_back(file_ + ":" + std::to_string(line) + ": " + message);
}

void Diagnostics::ThrowIfAny() const {
  if (messages_.empty()) return;
  std::string all;
  for (const std::string& m : messages_) all += (all.empty() ? "" : "\n") + m;
  throw LevelError(all);
}

}  // namespace levels
