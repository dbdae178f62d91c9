// The generated string table and quotation file, read straight from the asset folder:
// they must parse as the game's readers expect, byte for byte.
#include "present/md5.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <map>
#include <set>
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

// A bounds-checked reader over the .lang layout; any overrun fails the test.
struct LangReader {
  const std::string& bytes;
  size_t pos = 0;

  bool Int(int32_t& v) {
    if (bytes.size() - pos < 4) return false;
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= uint32_t(uint8_t(bytes[pos + size_t(i)])) << (8 * i);
    pos += 4;
    v = int32_t(u);
    return true;
  }
  bool Bytes(size_t n, std::string& out) {
    if (bytes.size() - pos < n) return false;
    out = bytes.substr(pos, n);
    pos += n;
    return true;
  }
  bool Text(std::string& out) {
    int32_t n;
    return Int(n) && n >= 0 && Bytes(size_t(n), out);
  }
};

using Table = std::map<std::string, std::string>;

// Every language of the file in order: its name and its entries, keys ascending.
std::vector<std::pair<std::string, Table>> ReadTables() {
  const std::string bytes = ReadResource("lang/default.lang");
  LangReader r{bytes};
  std::vector<std::pair<std::string, Table>> tables;
  while (r.pos < bytes.size()) {
    std::string name;
    int32_t count = 0;
    if (!r.Text(name) || !r.Int(count)) {
      ADD_FAILURE() << "language header runs past the end";
      break;
    }
    Table table;
    std::string previous;
    for (int32_t i = 0; i < count; ++i) {
      std::string key, text;
      if (!r.Bytes(32, key) || !r.Text(text)) {
        ADD_FAILURE() << name << " entry " << i << " runs past the end";
        return tables;
      }
      EXPECT_LT(previous, key) << "keys must ascend";
      EXPECT_EQ(text.find('\r'), std::string::npos) << text;
      previous = key;
      table[key] = text;
    }
    tables.emplace_back(name, table);
  }
  return tables;
}

Table ReadEnglishTable() {
  const auto tables = ReadTables();
  if (tables.empty()) return {};
  EXPECT_EQ(tables[0].first, "English");
  for (const auto& [key, text] : tables[0].second) EXPECT_EQ(key, MD5(text)) << text;
  return tables[0].second;
}

}  // namespace

TEST(GeneratedTexts, StringTableHoldsEveryTextUnderItsOwnKey) {
  const auto table = ReadEnglishTable();
  EXPECT_GE(table.size(), 150u);
  EXPECT_EQ(table.at("03c2e7e41ffc181a4e84080b4710e81e"), "New");
  for (const char* text :
       {"Next Level: $level", "Time: $mode", "Welcome, $name!", "Puzzleset: $pset",
        "Change song: $songname", "Score: $score", "Difficulty: $difficulty",
        "($currLevel of $numLevels levels completed)", "$combo x Combo",
        "Progress: Level $currentLevel / $maxLevel", "$sec seconds", "Background: $bgname",
        "Background animation: ", "No puzlesets available!", "Floaating bonus:"})
    EXPECT_TRUE(table.count(MD5(text))) << text;
}

// English first, keyed by its own texts; then German under the same keys, where every
// text is German (none copied over from English by mistake, names and symbols aside).
TEST(GeneratedTexts, StringTableHoldsEnglishThenGermanUnderTheSameKeys) {
  const auto tables = ReadTables();
  ASSERT_EQ(tables.size(), 2u);
  EXPECT_EQ(tables[0].first, "English");
  EXPECT_EQ(tables[1].first, "Deutsch");
  std::set<std::string> english, german;
  for (const auto& [key, text] : tables[0].second) english.insert(key);
  for (const auto& [key, text] : tables[1].second) german.insert(key);
  EXPECT_EQ(german, english);
  int same = 0;
  for (const auto& [key, text] : tables[1].second)
    same += tables[0].second.count(key) && tables[0].second.at(key) == text;
  EXPECT_LT(same, 15) << "German texts that equal their English ones";
  EXPECT_EQ(tables[1].second.at(MD5("Delete")), "L\xf6schen");  // one byte per letter
}

// Some keys hold a real line break, the intro story holds backslash + n instead.
TEST(GeneratedTexts, StringTableKeepsBothKindsOfLineBreak) {
  const auto table = ReadEnglishTable();
  EXPECT_TRUE(table.count(MD5("Levelset already exists.\nOverwrite?")));
  EXPECT_TRUE(table.count(MD5("Your voyage to enlightenment starts here.\\n\\nAre you able to "
                              "solve all the puzzles on your path to the Quorvale?")));
  bool credits = false;
  for (const auto& [key, text] : table)
    if (text.rfind("Ostravin presents:\nQuorvale $version\n\n", 0) == 0) credits = true;
  EXPECT_TRUE(credits);
}

TEST(GeneratedTexts, WisdomsAreTwoGroupsOfHundredLatin1Lines) {
  const std::string ini = ReadResource("data/wisdoms.ini");
  ASSERT_GE(ini.size(), 2u);
  ASSERT_EQ(ini.substr(ini.size() - 2), "\r\n");
  std::vector<std::string> lines;
  for (size_t pos = 0; pos < ini.size();) {
    const size_t end = ini.find("\r\n", pos);
    ASSERT_NE(end, std::string::npos);
    lines.push_back(ini.substr(pos, end - pos));
    pos = end + 2;
  }
  ASSERT_EQ(lines.size(), 2u * 102);
  const char* groups[] = {"[English]", "[Deutsch]"};
  for (size_t g = 0; g < 2; ++g) {
    const size_t first = g * 102;
    EXPECT_EQ(lines[first], groups[g]);
    EXPECT_EQ(lines[first + 1], "Anzahl=100");
    for (size_t k = 1; k <= 100; ++k) {
      const std::string& line = lines[first + 1 + k];
      const std::string prefix = std::to_string(k) + "=";
      ASSERT_EQ(line.rfind(prefix, 0), 0u) << line;
      const std::string value = line.substr(prefix.size());
      EXPECT_FALSE(value.empty());
      EXPECT_LE(value.size(), 168u) << value;
      EXPECT_NE(value.front(), ' ');
      EXPECT_EQ(value.find('\n'), std::string::npos) << value;
    }
  }
  // German letters as single ISO 8859-1 bytes, never as UTF-8 pairs.
  EXPECT_NE(ini.find('\xe4'), std::string::npos);
  EXPECT_NE(ini.find('\xdf'), std::string::npos);
  EXPECT_EQ(ini.find('\xc3'), std::string::npos);
}
