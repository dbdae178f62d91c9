// The hand-written text sources: the string list's two kinds of line break, the
// translation list's pairs, the .lang bytes, the quotation list and the wisdom screen's
// line count, and errors that point at file and line.
#include "quotations.h"
#include "string_list.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

using ::testing::HasSubstr;

namespace {

std::vector<StringEntry> Parse(const std::string& content) {
  return ParseStringList(TextSource("list.txt", content));
}

std::string ErrorOf(void (*run)(const std::string&), const std::string& content) {
  try {
    run(content);
  } catch (const std::runtime_error& e) {
    return e.what();
  }
  return "no error";
}

void RunList(const std::string& content) { Parse(content); }
void RunQuotes(const std::string& content) { ParseQuotations(TextSource("q.txt", content)); }

std::vector<Translation> ParseTranslations(const std::string& content) {
  return ParseTranslationList(TextSource("de.txt", content));
}
void RunTranslations(const std::string& content) { ParseTranslations(content); }

}  // namespace

TEST(StringList, KeepsRealLineBreaksApartFromBackslashN) {
  const auto entries = Parse(
      "# comment\n"
      "\n"
      "  \"Levelset already exists.\\nOverwrite?\"  # a real line break\n"
      "\"here.\\\\n\\\\nAre you\"\n"
      "\"say \\\"Om\\\"\"\r\n");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].text, "Levelset already exists.\nOverwrite?");
  EXPECT_EQ(entries[0].line, 3);
  EXPECT_EQ(entries[1].text, "here.\\n\\nAre you");
  EXPECT_EQ(entries[2].text, "say \"Om\"");
}

TEST(StringList, BlocksJoinLinesVerbatimAndConvertToLatin1) {
  const auto entries = Parse("<<<\nGr\xc3\xbc\xc3\x9f" "e \\n\n\n\xc2\xa9 Ostravin\n>>>\n\"Background animation: \"\n");
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].text, "Gr\xfc\xdf" "e \\n\n\n\xa9 Ostravin");
  EXPECT_EQ(entries[1].text, "Background animation: ");
}

TEST(StringList, ReportsMistakesWithFileAndLine) {
  EXPECT_THAT(ErrorOf(RunList, "\"ok\"\n\"bad \\t\"\n"), HasSubstr("list.txt:2: unknown escape"));
  EXPECT_THAT(ErrorOf(RunList, "\"open\n"), HasSubstr("list.txt:1: text not closed"));
  EXPECT_THAT(ErrorOf(RunList, "\n<<<\nline\n"), HasSubstr("list.txt:2: <<< block without"));
  EXPECT_THAT(ErrorOf(RunList, "\"New\"\n\n\"New\"\n"),
              HasSubstr("list.txt:3: same text as line 1"));
  EXPECT_THAT(ErrorOf(RunList, "\"5 \xe2\x82\xac\"\n"), HasSubstr("list.txt:1: character beyond ISO 8859-1"));
  EXPECT_THAT(ErrorOf(RunList, "New\n"), HasSubstr("list.txt:1: expected a"));
  EXPECT_THAT(ErrorOf(RunList, "<<<\nblank \n>>>\n"), HasSubstr("list.txt:2: trailing blank"));
  EXPECT_THAT(ErrorOf(RunList, "\"\"\n"), HasSubstr("list.txt:1: empty text"));
  EXPECT_THAT(ErrorOf(RunList, "\"a\" b\n"), HasSubstr("list.txt:1: unexpected characters"));
}

TEST(StringList, LangFileHoldsEntriesInKeyOrder) {
  const std::vector<uint8_t> bytes = EncodeLangFile({EnglishTable(Parse("\"New\"\n"))});
  const std::string expected = std::string("\x07\0\0\0English\x01\0\0\0", 15) +
                               "03c2e7e41ffc181a4e84080b4710e81e" + std::string("\x03\0\0\0New", 7);
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), expected);

  // MD5("b") = 92eb..., MD5("a") = 0cc1...: "a" comes first whatever the list order.
  const std::vector<uint8_t> two = EncodeLangFile({EnglishTable(Parse("\"b\"\n\"a\"\n"))});
  ASSERT_EQ(two.size(), 15u + 2 * (32 + 4 + 1));
  EXPECT_EQ(std::string(two.begin() + 15, two.begin() + 47), "0cc175b9c0f1b6a831c399e269772661");
}

TEST(TranslationList, PairsEachEnglishTextWithTheEntryAfterIt) {
  const auto pairs = ParseTranslations(
      "# comment\n"
      "\"New\"\n"
      "= \"Neu\"\n"
      "\n"
      "\"Time: $mode\"  # parameters stay\n"
      "  =\"Zeit: $mode\"\n"
      "<<<\n"
      "Thanks\n"
      "to all\n"
      ">>>\n"
      "= <<<\n"
      "Dank an\n"
      "alle, gr\xc3\xbc\xc3\x9f\n"
      ">>>\n");
  ASSERT_EQ(pairs.size(), 3u);
  EXPECT_EQ(pairs[0].line, 2);
  EXPECT_EQ(pairs[0].english, "New");
  EXPECT_EQ(pairs[0].text, "Neu");
  EXPECT_EQ(pairs[1].text, "Zeit: $mode");
  EXPECT_EQ(pairs[2].english, "Thanks\nto all");
  EXPECT_EQ(pairs[2].text, "Dank an\nalle, gr\xfc\xdf");

  // The German table lies under the English keys, after the English one in the file.
  const std::vector<uint8_t> bytes =
      EncodeLangFile({EnglishTable(Parse("\"New\"\n")),
                      TranslatedTable("Deutsch", ParseTranslations("\"New\"\n= \"Neu\"\n"))});
  const std::string key = "03c2e7e41ffc181a4e84080b4710e81e";
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            std::string("\x07\0\0\0English\x01\0\0\0", 15) + key + std::string("\x03\0\0\0New", 7) +
                std::string("\x07\0\0\0Deutsch\x01\0\0\0", 15) + key + std::string("\x03\0\0\0Neu", 7));
}

TEST(TranslationList, ReportsMistakesWithFileAndLine) {
  EXPECT_THAT(ErrorOf(RunTranslations, "= \"Neu\"\n"), HasSubstr("de.txt:1: a translation (= ...) without"));
  EXPECT_THAT(ErrorOf(RunTranslations, "\"New\"\n\"Quit\"\n"), HasSubstr("de.txt:2: the English text before"));
  EXPECT_THAT(ErrorOf(RunTranslations, "\"New\"\n= \"Neu\"\n= \"Neu\"\n"), HasSubstr("de.txt:3: a translation"));
  EXPECT_THAT(ErrorOf(RunTranslations, "\n\"New\"\n"), HasSubstr("de.txt:2: the last English text has no"));
  EXPECT_THAT(ErrorOf(RunTranslations, "\"New\"\n=\n"), HasSubstr("de.txt:2: expected a text after ="));
  EXPECT_THAT(ErrorOf(RunTranslations, "\"New\"\n= \"\"\n"), HasSubstr("de.txt:2: empty text"));
  EXPECT_THAT(ErrorOf(RunTranslations, "\"Score: $score\"\n= \"Punkte: $punkte\"\n"),
              HasSubstr("de.txt:2: the translation's $ parameters differ"));
  EXPECT_THAT(ErrorOf(RunTranslations, "\"$a of $b\"\n= \"$a von $a\"\n"), HasSubstr("de.txt:2: the translation's $"));
  EXPECT_THAT(ErrorOf(RunTranslations, "\"New\"\n= \"Neu\"\n\"New\"\n= \"Neu\"\n"),
              HasSubstr("de.txt:3: same English text as line 1"));
  EXPECT_THAT(ErrorOf(RunTranslations, "\"New\"\n= \"5 \xe2\x82\xac\"\n"), HasSubstr("de.txt:2: character beyond"));
}

TEST(Quotations, ParsesGroupsAndWritesIniWithCrLf) {
  const auto groups = ParseQuotations(TextSource(
      "q.txt", "# c\n[English]\nStill water.\\nClear sky.\n\n[Deutsch]\nRuhiges Wasser, gro\xc3\x9f.\n"));
  ASSERT_EQ(groups.size(), 2u);
  EXPECT_EQ(groups[0].quotations[0].line, 3);
  EXPECT_EQ(EncodeWisdomsIni(groups),
            "[English]\r\nAnzahl=1\r\n1=Still water.\\nClear sky.\r\n"
            "[Deutsch]\r\nAnzahl=1\r\n1=Ruhiges Wasser, gro\xdf.\r\n");
}

TEST(Quotations, ReportsMistakesWithFileAndLine) {
  EXPECT_THAT(ErrorOf(RunQuotes, "Early.\n"), HasSubstr("q.txt:1: quotation before"));
  EXPECT_THAT(ErrorOf(RunQuotes, "[English]\n" + std::string(169, 'x') + "\n"),
              HasSubstr("q.txt:2: 169 characters"));
  EXPECT_THAT(ErrorOf(RunQuotes, "[English]\nA\\tB\n"), HasSubstr("q.txt:2: a backslash"));
  EXPECT_THAT(ErrorOf(RunQuotes, "[English]\n Lead.\n"), HasSubstr("q.txt:2: blank at the start"));
  EXPECT_THAT(ErrorOf(RunQuotes, "[English]\nEnd.\\n\n"), HasSubstr("q.txt:2: \\n at the start or end"));
  EXPECT_THAT(ErrorOf(RunQuotes, "[English]\nA.\nA.\n"), HasSubstr("q.txt:3: same quotation as line 2"));
  EXPECT_THAT(ErrorOf(RunQuotes, "[English\n"), HasSubstr("q.txt:1: a group header"));
}

// Every character 10 pixels wide: a line holds at most 50 of them, blanks included.
TEST(Quotations, CountsWisdomScreenLinesLikeTheScreen) {
  FontWidths widths{};
  widths.fill(10);
  const std::string word(24, 'w');  // 24 letters + blank = 250 pixels
  EXPECT_EQ(WisdomScreenLines("Calm.", widths), 1);
  EXPECT_EQ(WisdomScreenLines(word + " " + word, widths), 1);          // 490 pixels
  EXPECT_EQ(WisdomScreenLines(word + " " + word + "ww", widths), 2);   // 250 + 260
  EXPECT_EQ(WisdomScreenLines("Short.\\nShort.", widths), 2);
  EXPECT_EQ(WisdomScreenLines(std::string(60, 'w'), widths), 2);       // empty line first
}
