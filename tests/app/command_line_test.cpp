// The command line: help and version, the window switches, the language, one level-set
// file, and every mistake as one line on stderr with exit code 2.
#include "app/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

namespace {

struct Parsed {
  CommandLine line;
  std::string out, err;
};

Parsed Parse(std::vector<std::string> args) {
  args.insert(args.begin(), "quorvale");
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::ostringstream out, err;
  Parsed p{ParseCommandLine(int(args.size()), argv.data(), out, err), "", ""};
  p.out = out.str();
  p.err = err.str();
  return p;
}

bool OneLine(const std::string& s) { return !s.empty() && s.find('\n') == s.size() - 1; }

}  // namespace

TEST(CommandLine, NothingGivenStartsTheGameAsUsual) {
  const Parsed p = Parse({});
  EXPECT_FALSE(p.line.exit);
  EXPECT_EQ(p.line.window, CommandLine::WindowMode::Default);
  EXPECT_EQ(p.line.levelSet, "");
  EXPECT_EQ(p.line.language, "");  // the locale decides
  EXPECT_EQ(p.out + p.err, "");
}

TEST(CommandLine, HelpAndVersionPrintAndEndWithSuccess) {
  for (const char* help : {"--help", "-h", "--he"}) {  // unique prefixes work as getopt allows
    const Parsed p = Parse({help});
    EXPECT_TRUE(p.line.exit) << help;
    EXPECT_EQ(p.line.exitCode, 0);
    EXPECT_EQ(p.out.rfind("Usage: quorvale [OPTION]... [LEVELSET.lvl]\n", 0), 0u) << p.out;
    EXPECT_NE(p.out.find("--fullscreen"), std::string::npos);
    EXPECT_NE(p.out.find("--language=LANG"), std::string::npos);
    EXPECT_EQ(p.err, "");
  }
  const Parsed v = Parse({"--version", "ignored.lvl"});
  EXPECT_TRUE(v.line.exit);
  EXPECT_EQ(v.line.exitCode, 0);
  EXPECT_EQ(v.out, "Quorvale " QV_VERSION "\n");
}

TEST(CommandLine, WindowSwitchesTheLastOneCounts) {
  EXPECT_EQ(Parse({"--fullscreen"}).line.window, CommandLine::WindowMode::Fullscreen);
  EXPECT_EQ(Parse({"-w"}).line.window, CommandLine::WindowMode::Windowed);
  EXPECT_EQ(Parse({"-f", "--windowed"}).line.window, CommandLine::WindowMode::Windowed);
  EXPECT_EQ(Parse({"-wf"}).line.window, CommandLine::WindowMode::Fullscreen);
}

TEST(CommandLine, LanguageByCodeNameOrLocaleTheLastOneCounts) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--language=de"}, {"--language", "Deutsch"}, {"-l", "german"},
                                             {"-lde_AT.UTF-8"}, {"--lang=de_CH@euro"}, {"-l", "en", "-l", "de"}}) {
    const Parsed p = Parse(args);
    EXPECT_FALSE(p.line.exit) << args[0];
    EXPECT_EQ(p.line.language, "Deutsch") << args[0];
  }
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--language=en"}, {"-l", "English"}, {"--language", "en_GB.UTF-8"}})
    EXPECT_EQ(Parse(args).line.language, "English") << args[0];
  // The option's value is never taken for the level-set file.
  const Parsed both = Parse({"-l", "de", "set.lvl"});
  EXPECT_EQ(both.line.language, "Deutsch");
  EXPECT_EQ(both.line.levelSet, (std::filesystem::current_path() / "set.lvl").string());
}

TEST(CommandLine, ALevelSetFileBecomesAnAbsolutePath) {
  const Parsed relative = Parse({"sets/My set.lvl", "--fullscreen"});
  EXPECT_FALSE(relative.line.exit);
  EXPECT_EQ(relative.line.levelSet, (std::filesystem::current_path() / "sets/My set.lvl").string());
  EXPECT_EQ(relative.line.window, CommandLine::WindowMode::Fullscreen);
  // Never one of the game's own resources, whatever the name looks like.
  EXPECT_EQ(Parse({"incbin::../data/Way of Arhat.lvl"}).line.levelSet,
            (std::filesystem::current_path() / "incbin::../data/Way of Arhat.lvl").string());
  EXPECT_EQ(Parse({"/tmp/a.lvl"}).line.levelSet, "/tmp/a.lvl");
  // After "--" a name that starts with a dash is a file.
  EXPECT_EQ(Parse({"--", "-odd.lvl"}).line.levelSet, (std::filesystem::current_path() / "-odd.lvl").string());
}

TEST(CommandLine, MistakesAreOneLineAndExitCodeTwo) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"--bogus"}, "quorvale: unknown option '--bogus' (try 'quorvale --help')\n"},
      {{"-x"}, "quorvale: unknown option '-x' (try 'quorvale --help')\n"},
      {{"--fullscreen=yes"}, "quorvale: option '--fullscreen=yes' takes no value (try 'quorvale --help')\n"},
      {{"a.lvl", "b.lvl"}, "quorvale: only one level-set file can be opened at a time (try 'quorvale --help')\n"},
      {{"--language=fr"}, "quorvale: unknown language 'fr' (try 'quorvale --help')\n"},
      {{"-l", "C"}, "quorvale: unknown language 'C' (try 'quorvale --help')\n"},
      {{"--language="}, "quorvale: unknown language '' (try 'quorvale --help')\n"},
      {{"--language"}, "quorvale: option '--language' needs a value (try 'quorvale --help')\n"},
      {{"-l"}, "quorvale: option '-l' needs a value (try 'quorvale --help')\n"},
  };
  for (const auto& [args, message] : cases) {
    const Parsed p = Parse(args);
    EXPECT_TRUE(p.line.exit) << args[0];
    EXPECT_EQ(p.line.exitCode, 2) << args[0];
    EXPECT_TRUE(OneLine(p.err)) << p.err;
    EXPECT_EQ(p.err, message);
    EXPECT_EQ(p.out, "");
  }
}
