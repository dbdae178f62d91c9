// Level sets handed to the game from outside (opened from a file manager, given on the
// command line, dropped onto the window) are copied into the data folder, where the
// level-set selection lists them. A file that does not read as a level set is refused; a
// different set of the same name is replaced only when the player agrees, otherwise the
// new one is kept beside it under a numbered name.
#pragma once

#include <functional>
#include <string>

enum class ImportOutcome {
  Added,         // copied in under its own name
  AlreadyThere,  // the same set is in the folder already (or the file is that set)
  Replaced,      // a different set of that name was replaced, as the player agreed
  KeptBoth,      // the player kept the other set; this one got a numbered name
  CannotOpen,    // missing or unreadable
  NotALevelSet,  // not a file, too large, damaged or some other kind of file
  NotSaved,      // the data folder could not be written
};

struct LevelImport {
  ImportOutcome outcome;
  std::string path;  // the set in the data folder; "" when refused or not saved
};

// replace(name) is asked, with the set's shown name, only when a different set of that
// name is in the folder.
LevelImport ImportLevelSet(const std::string& source, const std::string& folder,
                           const std::function<bool(const std::string& name)>& replace);

// The same with the player: questions and refusals are shown over backdrop (which starts
// each frame, see AskYesNo). A set that ends up in the folder becomes the player's
// current set. Returns its path, or "" when nothing was imported.
std::string ImportForPlayer(const std::string& source, const std::function<void()>& backdrop);
