// Diagnostic lines. The game writes many of them; a hook receives each one. By default
// they are discarded; QV_DEBUG=1 in the environment routes them to stderr.
#pragma once

#include <functional>
#include <string>

void DebugLog(const std::string& line);
// Replaces the hook (nullptr restores the default); returns the previous one.
std::function<void(const std::string&)> SetDebugLogHook(std::function<void(const std::string&)> hook);
