// The generated font descriptors: the layout the font loader reads and the metrics the
// screens' positions were designed around.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string ReadResource(const std::string& name) {
  std::ifstream in(std::string(QV_RES_DIR) + "/" + name, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct Descriptor {
  std::string line;
  std::vector<int32_t> ints;  // cell width, cell height, frames, then 225 (width, height)
};

Descriptor Parse(const std::string& bytes) {
  Descriptor d;
  const size_t lf = bytes.find('\n');
  if (lf == std::string::npos) return d;
  d.line = bytes.substr(0, lf + 1);
  for (size_t pos = lf + 1; pos + 4 <= bytes.size(); pos += 4) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= uint32_t(uint8_t(bytes[pos + size_t(i)])) << (8 * i);
    d.ints.push_back(int32_t(u));
  }
  return d;
}

struct Expected {
  const char* name;
  int cell, space, widest;
};

}  // namespace

TEST(GeneratedFonts, DescriptorsHaveTheDesignedMetrics) {
  for (const Expected e : {Expected{"Headline", 64, 15, 41}, Expected{"Main", 32, 7, 21}}) {
    SCOPED_TRACE(e.name);
    const std::string bytes = ReadResource(std::string("gfx/fonts/") + e.name + ".fnt");
    EXPECT_EQ(bytes, ReadResource(std::string("gfx/fonts/") + e.name + "_hover.fnt"));
    const Descriptor d = Parse(bytes);
    ASSERT_EQ(bytes.size(), d.line.size() + 12 + 1800);
    EXPECT_EQ(d.line.substr(d.line.size() - 2), "\r\n");
    EXPECT_EQ(d.ints[0], e.cell);
    EXPECT_EQ(d.ints[1], e.cell);
    EXPECT_EQ(d.ints[2], 224);
    auto width = [&d](int code) { return d.ints[3 + size_t(code - 31) * 2]; };
    int widest = 0;
    for (int code = 31; code <= 255; ++code) {
      EXPECT_EQ(d.ints[4 + size_t(code - 31) * 2], e.cell) << code;
      widest = std::max(widest, width(code));
      const bool printable = (code > 32 && code < 127) || code > 160;
      if (printable) {
        EXPECT_GT(width(code), 0) << code;
      }
    }
    EXPECT_EQ(width(31), 0);
    EXPECT_EQ(width(32), e.space);
    EXPECT_EQ(width(160), e.space);
    EXPECT_GT(width(127), 0) << "the check mark";
    EXPECT_EQ(widest, e.widest);
  }
}
