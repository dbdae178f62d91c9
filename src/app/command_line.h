// The program's command line: --help, --version, --fullscreen, --windowed, --language
// and one level-set file to import and choose. Parsed with getopt_long; anything it does not know
// is a one-line error and exit code 2.
#pragma once

#include <ostream>
#include <string>

struct CommandLine {
  enum class WindowMode { Default, Fullscreen, Windowed };
  WindowMode window = WindowMode::Default;
  std::string levelSet;  // absolute path, or "" when none was given
  std::string language;  // "Deutsch" or "English"; "" leaves the choice to the locale
  bool exit = false;     // the program ends at once with exitCode (help, version, error)
  int exitCode = 0;
};

// Help and version go to out, errors to err.
CommandLine ParseCommandLine(int argc, char** argv, std::ostream& out, std::ostream& err);
