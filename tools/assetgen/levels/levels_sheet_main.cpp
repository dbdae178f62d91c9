// levelsheets: contact sheets of every level-set source for design review.
//   levelsheets --assets <assets dir> --out <folder>
// Writes "<set>.png" (all 50 levels) and "<set> 1.png".."<set> 5.png" (ten levels each,
// larger). Sources with errors are reported and skipped.
#include "levels_compile.h"
#include "levels_generator.h"
#include "levels_sheet.h"

#include <cstdio>
#include <fstream>
#include <string>

namespace {

void Save(const std::filesystem::path& path, const RgbaImage& image) {
  const std::vector<uint8_t> png = EncodePng(image);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(png.data()),
                                              std::streamsize(png.size()));
  std::printf("%s\n", path.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5 || std::string(argv[1]) != "--assets" || std::string(argv[3]) != "--out") {
    std::fprintf(stderr, "usage: levelsheets --assets DIR --out DIR\n");
    return 2;
  }
  const std::filesystem::path out = argv[4];
  std::filesystem::create_directories(out);
  int status = 0;
  for (const auto& file : LevelSourceFiles(argv[2])) {
    try {
      const levels::CompiledSet set = levels::CompileLevelFile(file.string());
      Save(out / (set.name + ".png"), levels::RenderLevelSheet(set, 0, 50, 10, 0.5));
      for (int page = 0; page < 5; ++page)
        Save(out / (set.name + " " + std::to_string(page + 1) + ".png"),
             levels::RenderLevelSheet(set, page * 10, 10, 5, 0.8));
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s\n", e.what());
      status = 1;
    }
  }
  return status;
}
