// The INI reader: groups by name in any case, keys with blanks, comments, group ends,
// and the shipped quotation file.
#include "media/debug.h"
#include "media/resource_store.h"
#include "players/ini.h"

#include <gtest/gtest.h>

namespace {

const std::string SAMPLE =
    "# quotations\r\n"
    "[English]\r\n"
    "Anzahl=2\r\n"
    "\r\n"
    "  Key One  =   value with trailing  \r\n"
    "6= After examination\r\n"
    "#1=commented out\r\n"
    "1=first\r\n"
    "[Deutsch]\r\n"
    "1=erste\r\n";

IniPtr SampleIni() {
  ClearResources();
  RegisterResource("../test/sample.ini", reinterpret_cast<const uint8_t*>(SAMPLE.data()), SAMPLE.size());
  return TIni::Read("incbin::../test/sample.ini");
}

}  // namespace

TEST(Ini, KeepsEveryLineFromEntryOne) {
  const IniPtr ini = SampleIni();
  EXPECT_EQ(ini->linecount, 10);
  EXPECT_EQ(ini->line[0], "");
  EXPECT_EQ(ini->line[1], "# quotations");
  EXPECT_EQ(ini->line[10], "1=erste");
  EXPECT_EQ(ini->path, "");
  EXPECT_EQ(TIni::Read("incbin::../test/missing.ini")->linecount, 0);
}

TEST(Ini, FindsGroupsByNameInAnyCase) {
  const IniPtr ini = SampleIni();
  EXPECT_EQ(ini->GetSeek("english"), 3);
  EXPECT_EQ(ini->GetSeek("[ENGLISH"), 3);
  EXPECT_EQ(ini->GetSeek("Deutsch]"), 10);
  EXPECT_EQ(ini->GetSeek(" [English]"), -1);
  EXPECT_EQ(ini->GetSeek(""), -1);
}

TEST(Ini, ReadsKeysWithBlanksAndStopsAtTheNextGroup) {
  const IniPtr ini = SampleIni();
  const int english = ini->GetSeek("English");
  EXPECT_EQ(ini->GetValue(english, "keyone", "-"), "value with trailing  ");
  EXPECT_EQ(ini->GetValue(english, "6", "-"), "After examination");
  EXPECT_EQ(ini->GetValue(english, "1", "-"), "first");
  EXPECT_EQ(ini->GetValue(ini->GetSeek("deutsch"), "1", "-"), "erste");
  EXPECT_EQ(ini->GetValue(-1, "1", "-"), "-");

  std::vector<std::string> log;
  auto old = SetDebugLogHook([&](const std::string& line) { log.push_back(line); });
  EXPECT_EQ(ini->GetValue(english, "101", "-"), "-");  // ends at [Deutsch], silently
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(ini->GetValue(ini->GetSeek("Deutsch"), "2", "-"), "-");
  SetDebugLogHook(old);
  EXPECT_EQ(log, std::vector<std::string>{"Ini.mod / GetValue : keyword <2> not found"});
}

TEST(Ini, ShippedQuotationsHaveAHundredPerLanguage) {
  ClearResources();
  RegisterEmbeddedResources();
  const IniPtr ini = TIni::Read("incbin::../data/wisdoms.ini");
  for (const char* group : {"English", "Deutsch"}) {
    const int seek = ini->GetSeek(group);
    ASSERT_GT(seek, 0) << group;
    EXPECT_EQ(ini->GetValue(seek, "Anzahl", "0"), "100");
    EXPECT_FALSE(ini->GetValue(seek, "100", "").empty());
  }
  EXPECT_EQ(ini->GetValue(ini->GetSeek("English"), "101", "none"), "none");
}

// A file of a million empty lines would make the game hold a million strings.
TEST(Ini, AHugeFileOfEmptyLinesKeepsAtMostTheLineCap) {
  static const std::string many(1000000, '\n');
  ClearResources();
  RegisterResource("../test/many.ini", reinterpret_cast<const uint8_t*>(many.data()), many.size());
  const IniPtr ini = TIni::Read("incbin::../test/many.ini");
  EXPECT_EQ(ini->linecount, TIni::MAX_LINES);
  EXPECT_EQ(ini->GetSeek("English"), -1);
  ClearResources();
}
