// The string table: the shipped table, learning unknown texts, parameters, and the
// ".lang" file byte for byte, including damaged files.
#include "media/resource_store.h"
#include "media/stream.h"
#include "present/language.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>

namespace {

std::string TempPath(const std::string& name) {
  const auto dir = std::filesystem::temp_directory_path() / "qv_language_test";
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

std::string FileBytes(const std::string& path) {
  std::vector<uint8_t> b;
  EXPECT_TRUE(LoadBytes(path, b));
  return std::string(b.begin(), b.end());
}

std::string Int(int32_t v) {
  const auto u = uint32_t(v);
  return {char(u), char(u >> 8), char(u >> 16), char(u >> 24)};
}

std::string Counted(const std::string& s) { return Int(int32_t(s.size())) + s; }

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A table that starts from an empty "English" (no shipped file registered).
TLanguage EmptyTable() {
  ClearResources();
  return TLanguage();
}

}  // namespace

TEST(Language, ShippedTableHoldsItsOwnDigests) {
  ClearResources();
  RegisterEmbeddedResources();
  TLanguage table;
  EXPECT_EQ(table.GetLanguages(), (std::vector<std::string>{"English", "Deutsch"}));
  const int shipped = TLanguage::SizeOfEntry(*table.GetLanguageMap());
  EXPECT_GE(shipped, 150);
  EXPECT_EQ(table.GetStringByKey("03c2e7e41ffc181a4e84080b4710e81e"), "New");
  for (const auto& [key, text] : *table.GetLanguageMap()) EXPECT_EQ(HelpFunctions::MD5(text), key) << text;
  EXPECT_EQ(table.GetString("New"), "New");
  EXPECT_EQ(TLanguage::SizeOfEntry(*table.GetDefaultLanguageMap()), shipped);  // nothing learnt
}

TEST(Language, LearnsUnknownTextsAndWritesThem) {
  TLanguage table = EmptyTable();
  table.filename = TempPath("learnt.lang");
  EXPECT_EQ(table.GetString("A text nobody wrote"), "A text nobody wrote");
  EXPECT_EQ(table.GetDefaultStringByKey(HelpFunctions::MD5("A text nobody wrote")), "A text nobody wrote");
  // An empty translation falls back to the text and is replaced by it.
  table.SetStringByKey(HelpFunctions::MD5("Blank"), "");
  EXPECT_EQ(table.GetString("Blank"), "Blank");
  ASSERT_TRUE(table.Write());

  std::map<std::string, std::string> learnt;  // ascending key order, as written
  for (const std::string t : {"A text nobody wrote", "Blank"}) learnt[HelpFunctions::MD5(t)] = t;
  std::string expected = Counted("English") + Int(2);
  for (const auto& [key, text] : learnt) expected += key + Counted(text);
  EXPECT_EQ(FileBytes(table.filename), expected);
}

TEST(Language, ReplacesParametersPairByPairInOrder) {
  TLanguage table = EmptyTable();
  EXPECT_EQ(table.GetString("Time: $mode", {"mode", "Fast"}), "Time: Fast");
  EXPECT_EQ(table.GetString("Time: $mode", {}), "Time: $mode");
  EXPECT_EQ(TLanguage::ReplaceParameters("$a $b", {"a", "x$b", "b", "y"}), "xy y");
  // A name that is a prefix of another must come after it.
  EXPECT_EQ(TLanguage::ReplaceParameters("$currLevel of $cur", {"currLevel", "3", "cur", "5"}), "3 of 5");
  EXPECT_EQ(TLanguage::ReplaceParameters("$cur of $currLevel", {"cur", "5", "currLevel", "3"}), "5 of 5rLevel");
  EXPECT_EQ(TLanguage::ReplaceParameters("$combo x Combo $combo", {"combo", "$combo", "lonely"}),
            "$combo x Combo $combo");
}

TEST(Language, ReadsAndWritesTwoLanguagesByteForByte) {
  const std::string k1(32, 'a'), k2(32, 'b');
  const std::string file = Counted("English") + Int(2) + k1 + Counted("One") + k2 + Counted("Two\nlines") +
                           Counted("Deutsch") + Int(1) + k1 + Counted("Eins \xe4");
  const std::string path = TempPath("two.lang");
  WriteFile(path, file);

  TLanguage table = EmptyTable();
  table.SetFilename(path, false);
  EXPECT_EQ(table.GetLanguages(), (std::vector<std::string>{"English", "Deutsch"}));
  EXPECT_EQ(table.GetStringByKey(k2), "Two\nlines");  // English is selected after a read
  table.SetLanguage("Deutsch");
  EXPECT_EQ(table.GetStringByKey(k1), "Eins \xe4");
  table.SetLanguage("Klingon");
  EXPECT_EQ(table.GetLanguages().size(), 3u);
  table.SetLanguage("Deutsch");
  EXPECT_EQ(table.GetLanguages().size(), 3u);

  table.filename = TempPath("two_again.lang");
  ASSERT_TRUE(table.Write());
  EXPECT_EQ(FileBytes(table.filename), file + Counted("Klingon") + Int(0));
  EXPECT_FALSE(TLanguage().Write());  // the embedded table cannot be written
}

// Every truncation and random damage of a valid file reads without a fault (the sanitizer
// build checks the reads) and keeps the languages and entries that were complete.
TEST(Language, DamagedFilesReadSafely) {
  const std::string k1(32, 'a'), k2(32, 'b');
  const std::string file =
      Counted("English") + Int(2) + k1 + Counted("One") + k2 + Counted("Two") + Counted("Deutsch") + Int(1) + k1 + Counted("Eins");
  const std::string path = TempPath("damaged.lang");
  const size_t germanStart = file.find(Counted("Deutsch"));
  for (size_t n = 0; n <= file.size(); ++n) {
    WriteFile(path, file.substr(0, n));
    TLanguage table = EmptyTable();
    table.SetFilename(path, false);
    const auto names = table.GetLanguages();
    ASSERT_GE(names.size(), 1u);
    EXPECT_EQ(names[0], "English") << n;
    if (n >= germanStart) {
      EXPECT_EQ(table.GetStringByKey(k2), "Two") << n;
    }
  }

  const std::vector<std::string> hostile = {
      Int(-5) + "English",
      Int(0x7FFFFFFF) + "English",
      Counted("English") + Int(-1),
      Counted("English") + Int(0x7FFFFFFF) + k1 + Counted("One"),
      Counted("English") + Int(1) + k1 + Int(0x7FFFFFF0) + "One",
      Counted("English") + Int(1) + k1 + Int(-3),
  };
  for (const auto& bytes : hostile) {
    WriteFile(path, bytes);
    TLanguage table = EmptyTable();
    table.SetFilename(path, false);
    EXPECT_EQ(table.GetLanguages()[0], "English");
    EXPECT_LE(TLanguage::SizeOfEntry(*table.GetLanguageMap()), 1);
  }

  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    std::string bytes = file;
    for (int k = 0; k < 4; ++k) bytes[rng() % bytes.size()] = char(rng());
    WriteFile(path, bytes);
    TLanguage table = EmptyTable();
    table.SetFilename(path, false);
    EXPECT_FALSE(table.GetLanguages().empty());
  }
}
