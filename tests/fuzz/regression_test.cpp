// Every input kept in tests/fuzz/regressions/<target>/ (crashes the fuzzers once found,
// and the shipped files they start from) replayed through its harness.
#include "fuzz/harness.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

TEST(FuzzRegressions, EveryKeptInputRunsCleanly) {
  int replayed = 0;
  for (const FuzzTarget& t : FuzzTargets()) {
    const fs::path dir = fs::path(QV_FUZZ_DIR) / "regressions" / t.name;
    if (!fs::is_directory(dir)) continue;
    for (const auto& entry : fs::directory_iterator(dir)) {
      std::ifstream in(entry.path(), std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      SCOPED_TRACE(entry.path().string());
      EXPECT_EQ(t.run(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), 0);
      ++replayed;
    }
  }
  EXPECT_GT(replayed, 0);
}
