// The embedded resource store: read-only files compiled into the program, found by
// name ("../gfx/board.png"). Streams open them through "incbin::" paths.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct ResourceEntry {
  std::string name;
  const uint8_t* bytes = nullptr;
  size_t length = 0;
  const ResourceEntry* next = nullptr;  // the entry registered before this one
};

// Adds an entry unless the name is present; 1 when added, 0 when it already existed.
int RegisterResource(const std::string& name, const uint8_t* bytes, size_t length);
// Exact, case-sensitive look-up from the newest entry; nullptr when absent.
const ResourceEntry* FindResource(const std::string& name);
const uint8_t* ResourceBytes(const std::string& name);
size_t ResourceLength(const std::string& name);
// Every registered name, newest first.
std::vector<std::string> ResourceNames();
// Removes every entry (tests only; the game registers once and keeps them).
void ClearResources();

// Generated from the asset folder by the build (qv_assets).
void RegisterEmbeddedResources();
int EmbeddedResourceCount();
