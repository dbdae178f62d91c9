#include "levels_generator.h"

#include "levels_compile.h"

#include <algorithm>
#include <stdexcept>

std::vector<std::filesystem::path> LevelSourceFiles(const std::filesystem::path& assets) {
  std::vector<std::filesystem::path> files;
  const std::filesystem::path dir = assets / "levels";
  if (!std::filesystem::is_directory(dir)) return files;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    if (entry.is_regular_file() && entry.path().extension() == ".levels") files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

// Sets whose sources do not exist yet are simply not written; every error of every
// file is listed before the generator fails.
void GenerateLevels(Output& out, const Sources& sources) {
  std::string errors;
  for (const auto& path : LevelSourceFiles(sources.assets)) {
    try {
      const levels::CompiledSet set = levels::CompileLevelFile(path.string());
      out.WriteBytes("data/" + set.name + ".lvl", levels::EncodeLevelSet(set));
    } catch (const levels::LevelError& e) {
      errors += std::string(errors.empty() ? "" : "\n") + e.what();
    }
  }
  if (!errors.empty()) throw std::runtime_error("level sources have errors:\n" + errors);
}
