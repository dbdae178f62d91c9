#include "media/debug.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

void DefaultHook(const std::string& line) {
  static const bool toStderr = [] {
    const char* v = std::getenv("QV_DEBUG");
    return v && *v && std::strcmp(v, "0") != 0;
  }();
  if (toStderr) std::fprintf(stderr, "%s\n", line.c_str());
}

std::function<void(const std::string&)>& Hook() {
  static std::function<void(const std::string&)> hook = DefaultHook;
  return hook;
}

// Worker threads log too (a failed background save).
std::mutex& HookMutex() {
  static auto* mutex = new std::mutex;
  return *mutex;
}

}  // namespace

void DebugLog(const std::string& line) {
  std::lock_guard<std::mutex> lock(HookMutex());
  Hook()(line);
}

std::function<void(const std::string&)> SetDebugLogHook(std::function<void(const std::string&)> hook) {
  std::lock_guard<std::mutex> lock(HookMutex());
  auto old = Hook();
  Hook() = hook ? std::move(hook) : DefaultHook;
  return old;
}
