#include "app/command_line.h"

#include "present/language_choice.h"

#include <getopt.h>

#include <cstring>
#include <filesystem>

namespace {

constexpr int EXIT_USAGE = 2;

const option OPTIONS[] = {
    {"fullscreen", no_argument, nullptr, 'f'},
    {"windowed", no_argument, nullptr, 'w'},
    {"language", required_argument, nullptr, 'l'},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},
    {nullptr, 0, nullptr, 0},
};
const char* const SHORT_OPTIONS = ":fwl:hV";

const char* const HELP =
    "Usage: quorvale [OPTION]... [LEVELSET.lvl]\n"
    "Quorvale, a calm tangram puzzle game.\n"
    "\n"
    "  -f, --fullscreen      start in full screen\n"
    "  -w, --windowed        start in a window (the default)\n"
    "  -l, --language=LANG   speak LANG, de (Deutsch) or en (English), instead of\n"
    "                        the language the system's locale sets\n"
    "  -h, --help            show this help and exit\n"
    "  -V, --version         show the version and exit\n"
    "\n"
    "A level-set file is copied into your own level sets and chosen in the\n"
    "level-set selection. F11 or Alt+Enter switches to full screen and back.\n"
    "Profiles and level sets are kept in $XDG_DATA_HOME/Ostravin/Quorvale/\n"
    "(~/.local/share/Ostravin/Quorvale/ by default).\n";

CommandLine Exit(int code) {
  CommandLine c;
  c.exit = true;
  c.exitCode = code;
  return c;
}

CommandLine UsageError(std::ostream& err, const std::string& what) {
  err << "quorvale: " << what << " (try 'quorvale --help')\n";
  return Exit(EXIT_USAGE);
}

}  // namespace

CommandLine ParseCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err) {
  CommandLine c;
  opterr = 0;  // our own one-line messages
  optind = 0;  // getopt starts afresh on every parse
  int opt;
  while ((opt = getopt_long(argc, argv, SHORT_OPTIONS, OPTIONS, nullptr)) != -1) {
    switch (opt) {
      case 'f': c.window = CommandLine::WindowMode::Fullscreen; break;
      case 'w': c.window = CommandLine::WindowMode::Windowed; break;
      case 'l':
        c.language = LanguageForOption(optarg);
        if (c.language.empty()) return UsageError(err, std::string("unknown language '") + optarg + "'");
        break;
      case 'h': out << HELP; return Exit(0);
      case 'V': out << "Quorvale " QV_VERSION "\n"; return Exit(0);
      case ':': return UsageError(err, std::string("option '") + argv[optind - 1] + "' needs a value");
      default:
        // getopt names the option only through optopt: 0 for an unknown long one, the
        // option's letter for a known one given a value it does not take.
        if (optopt == 0) return UsageError(err, std::string("unknown option '") + argv[optind - 1] + "'");
        if (std::strchr(SHORT_OPTIONS + 1, optopt))
          return UsageError(err, std::string("option '") + argv[optind - 1] + "' takes no value");
        return UsageError(err, std::string("unknown option '-") + char(optopt) + "'");
    }
  }
  if (argc - optind > 1) return UsageError(err, "only one level-set file can be opened at a time");
  if (optind < argc) {
    // Absolute, so that the name is never mistaken for one of the game's own resources.
    std::error_code ec;
    const std::filesystem::path file = std::filesystem::absolute(argv[optind], ec);
    c.levelSet = ec ? std::string(argv[optind]) : file.string();
  }
  return c;
}
