#include "texts_gen.h"

#include "fonts_gen.h"
#include "present/language_choice.h"
#include "quotations.h"
#include "string_list.h"

namespace {

// The wisdom screen reads the group named like the game's language.
const char* const WISDOM_GROUPS[] = {"English", GERMAN_LANGUAGE};
constexpr size_t WISDOMS_PER_GROUP = 100;
// More lines would push the first one above the top of the screen.
constexpr int WISDOM_MAX_LINES = 7;

}  // namespace

void GenerateLang(Output& out, const Sources& sources) {
  const TextSource english(sources.assets / "lang" / "english.txt");
  const TextSource german(sources.assets / "lang" / "german.txt");
  out.WriteBytes("lang/default.lang",
                 EncodeLangFile({EnglishTable(ParseStringList(english)),
                                 TranslatedTable(GERMAN_LANGUAGE, ParseTranslationList(german))}));
}

void GenerateWisdoms(Output& out, const Sources& sources) {
  const TextSource source(sources.assets / "wisdoms" / "wisdoms.txt");
  const std::vector<QuotationGroup> groups = ParseQuotations(source);
  if (groups.size() != std::size(WISDOM_GROUPS))
    source.Fail(groups.empty() ? 1 : groups.back().line, "needs the groups [English] and [Deutsch]");
  const FontWidths headline = MeasureFont(HeadlineFontSpec());
  for (size_t g = 0; g < groups.size(); ++g) {
    const QuotationGroup& group = groups[g];
    if (group.name != WISDOM_GROUPS[g])
      source.Fail(group.line, std::string("group ") + std::to_string(g + 1) + " must be [" +
                                  WISDOM_GROUPS[g] + "]");
    if (group.quotations.size() != WISDOMS_PER_GROUP)
      source.Fail(group.line, "[" + group.name + "] has " + std::to_string(group.quotations.size()) +
                                  " quotations; it needs " + std::to_string(WISDOMS_PER_GROUP));
    for (const Quotation& q : group.quotations) {
      const int lines = WisdomScreenLines(q.text, headline);
      if (lines > WISDOM_MAX_LINES)
        source.Fail(q.line, "takes " + std::to_string(lines) + " lines on the wisdom screen; " +
                                std::to_string(WISDOM_MAX_LINES) + " fit");
    }
  }
  out.WriteText("data/wisdoms.ini", EncodeWisdomsIni(groups));
}
