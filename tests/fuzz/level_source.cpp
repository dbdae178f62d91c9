// The asset generator's level-source compiler under fuzzing: any text either compiles
// or fails with a listed error, and never faults.
#include "fuzz/harness.h"

#include "levels_compile.h"

int FuzzLevelSource(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  try {
    levels::CompileLevelSet(levels::ParseLevelSource(text, "fuzz.levels"));
  } catch (const levels::LevelError&) {
  }
  return 0;
}
