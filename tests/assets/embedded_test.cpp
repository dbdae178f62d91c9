// The embedded copy of every generated file, opened the way the game opens it: every
// manifest entry is registered, images decode to their exact sizes, the image strips the
// game cuts divide into their frames, and the string table knows every text the code
// asks it for.
#include "manifest.h"
#include "media/audio.h"
#include "media/image.h"
#include "media/resource_store.h"
#include "present/language.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace {

class Embedded : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    static bool done = false;
    if (!done) RegisterEmbeddedResources();
    done = true;
  }
};

bool EndsWith(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && s.compare(s.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

TEST_F(Embedded, EveryManifestFileIsThereAndNothingElse) {
  std::set<std::string> expected;
  for (const ManifestEntry& e : Manifest()) {
    expected.insert("../" + e.name);
    EXPECT_TRUE(FindResource("../" + e.name)) << e.name;
    EXPECT_GT(ResourceLength("../" + e.name), 0u) << e.name;
  }
  EXPECT_EQ(Manifest().size(), 156u);
  for (const std::string& name : ResourceNames()) EXPECT_TRUE(expected.count(name)) << "unexpected " << name;
  size_t total = 0;
  for (const std::string& name : ResourceNames()) total += ResourceLength(name);
  EXPECT_LT(total, 25u * 1024 * 1024);
}

TEST_F(Embedded, ImagesDecodeAtTheirSizesWithoutVisiblePureBlack) {
  for (const ManifestEntry& e : Manifest()) {
    if (!e.width) continue;
    SCOPED_TRACE(e.name);
    const ImagePtr img = LoadImage("incbin::../" + e.name, 0);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->width, e.width);
    EXPECT_EQ(img->height, e.height);
    int black = 0;
    for (uint32_t p : img->Pixmaps()[0]->pixels) black += (p >> 24) != 0 && (p & 0xFFFFFF) == 0;
    EXPECT_EQ(black, 0) << "visible pure-black pixels (they would turn transparent in the game)";
  }
}

// The strips as the game cuts them: name, cell size, frame count.
TEST_F(Embedded, StripsDivideIntoTheirFrames) {
  struct Strip {
    const char* name;
    int w, h, frames;
  };
  const Strip strips[] = {
      {"gfx/timeanim.png", 72, 72, 72},        {"gfx/scoremenu.png", 107, 187, 2},
      {"gfx/LampeAnim.png", 57, 86, 64},       {"gfx/default_button.png", 122, 60, 3},
      {"gfx/rolle/left.png", 110, 80, 32},     {"gfx/rolle/right.png", 97, 80, 32},
      {"gfx/Twister.png", 100, 100, 64},       {"gfx/card_point.png", 24, 24, 3},
      {"gfx/koli.png", 80, 80, 8},             {"gfx/butterfly_blue.png", 80, 80, 32},
      {"gfx/butterfly_red.png", 80, 80, 32},   {"gfx/butterfly_green.png", 90, 90, 32},
      {"gfx/pointer.png", 32, 32, 16},         {"gfx/bonusgame/tiles.png", 40, 40, 160},
      {"gfx/bonusgame/timebar.png", 46, 300, 2}, {"gfx/bonusgame/tutorial.png", 92, 92, 5},
      {"gfx/users_requester.png", 516, 431, 3}, {"gfx/levelselector_requester.png", 428, 315, 3},
      {"gfx/levelselector_scr_list.png", 217, 240, 2}, {"gfx/ziehbalken.png", 20, 1, 2},
      {"gfx/Dharma.png", 112, 97, 16},         {"gfx/editor/panel.png", 640, 29, 3},
      {"gfx/editor/icons.png", 50, 50, 18},    {"gfx/fonts/Headline.png", 64, 64, 224},
      {"gfx/fonts/Main.png", 32, 32, 224},
  };
  for (const Strip& s : strips) {
    const ImagePtr img = LoadAnimImage(std::string("incbin::../") + s.name, s.w, s.h, 0, s.frames, 0);
    ASSERT_TRUE(img) << s.name;
    EXPECT_EQ(img->FrameCount(), s.frames) << s.name;
  }
}

TEST_F(Embedded, SoundsDecode) {
  if (!AudioAvailable()) GTEST_SKIP() << "no audio driver";
  for (const ManifestEntry& e : Manifest())
    if (EndsWith(e.name, ".ogg")) {
      const SoundPtr s = LoadSound("incbin::../" + e.name);
      ASSERT_TRUE(s) << e.name;
      EXPECT_GT(s->Seconds(), 0.01) << e.name;
    }
}

// Every literal text the code passes to the string table (GetString("…") or a local
// Text("…") helper) is in the shipped table, so translators see all of them.
TEST_F(Embedded, StringTableKnowsEveryTextTheCodeAsksFor) {
  InitStrings();
  // The first argument: one string literal, or several that the compiler joins.
  const std::regex call(R"re(\b(?:GetString|Text)\(\s*((?:"(?:[^"\\]|\\.)*"\s*)+))re");
  const std::regex literal(R"re("((?:[^"\\]|\\.)*)")re");
  int checked = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(QV_SOURCE_DIR "/src")) {
    if (entry.path().extension() != ".cpp" && entry.path().extension() != ".h") continue;
    std::ifstream in(entry.path());
    std::stringstream ss;
    ss << in.rdbuf();
    const std::string code = ss.str();
    for (std::sregex_iterator it(code.begin(), code.end(), call), end; it != end; ++it) {
      std::string text, raw;
      const std::string args = (*it)[1];
      for (std::sregex_iterator l(args.begin(), args.end(), literal), lend; l != lend; ++l) raw += (*l)[1];
      for (size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '\\' || i + 1 == raw.size()) {
          text += raw[i];
          continue;
        }
        const char c = raw[++i];
        text += c == 'n' ? '\n' : c;  // \n, \\ and \" are all the code uses
      }
      ++checked;
      const std::string key = HelpFunctions::MD5(text);
      EXPECT_FALSE(Language->GetDefaultStringByKey(key).empty())
          << entry.path().filename().string() << ": \"" << raw << "\" is missing from the string table";
    }
  }
  EXPECT_GT(checked, 100);
}
