#include "ui/level_import.h"

#include "game/req_yes_no.h"
#include "levels/level_set.h"
#include "media/debug.h"
#include "media/stream.h"
#include "players/data_folder.h"
#include "players/users.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "present/latin1.h"
#include "ui/level_select.h"
#include "ui/player_requesters.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr int MAX_COPIES = 99;
constexpr int SHOWN_NAME_WIDTH = 380;  // the question's parchment, less the quotes around the name

// The file's name without a ".lvl" extension in any case, as the game keeps text (Latin-1).
std::string SetName(const std::string& source) {
  std::string stem = fs::path(source).filename().string();
  std::string ext = stem.size() > 4 ? stem.substr(stem.size() - 4) : std::string();
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
  if (ext == ".lvl") stem.resize(stem.size() - 4);
  return Latin1FromUtf8(stem);
}

ImportOutcome ReadSource(const std::string& source, std::vector<uint8_t>& bytes) {
  std::error_code ec;
  const fs::file_status status = fs::status(source, ec);
  if (ec || !fs::exists(status)) return ImportOutcome::CannotOpen;
  // Only plain files: a folder, a pipe or a device is no level set (and a pipe would block).
  if (!fs::is_regular_file(status)) return ImportOutcome::NotALevelSet;
  const uintmax_t size = fs::file_size(source, ec);
  if (ec) return ImportOutcome::CannotOpen;
  if (size > MAX_LEVEL_SET_BYTES) return ImportOutcome::NotALevelSet;
  if (!LoadBytes(source, bytes)) return ImportOutcome::CannotOpen;
  return IsWellFormedLevelSet(bytes) ? ImportOutcome::Added : ImportOutcome::NotALevelSet;
}

bool SameContent(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::vector<uint8_t> there;
  return LoadBytes(path, there) && there == bytes;
}

// "Name (2).lvl", "Name (3).lvl", ...: the first that is free or already holds this set.
std::string NumberedFile(const std::string& folder, const std::string& file, const std::vector<uint8_t>& bytes) {
  const std::string name = Latin1FromUtf8(file.substr(0, file.size() - 4));
  for (int n = 2; n <= MAX_COPIES; ++n) {
    const std::string suffix = " (" + std::to_string(n) + ")";
    const std::string numbered = LevelSetFileName(name.substr(0, MAX_SET_NAME - suffix.size()) + suffix);
    if (!FileExists(folder + numbered) || SameContent(folder + numbered, bytes)) return numbered;
  }
  return "";
}

std::string Shown(const std::string& name) { return FontMain->Shortened(PrintableName(name), SHOWN_NAME_WIDTH); }

}  // namespace

LevelImport ImportLevelSet(const std::string& source, const std::string& folder,
                           const std::function<bool(const std::string& name)>& replace) {
  std::vector<uint8_t> bytes;
  const ImportOutcome read = ReadSource(source, bytes);
  if (read != ImportOutcome::Added) return {read, ""};
  std::string file = LevelSetFileName(SetName(source));
  if (file.empty()) file = LevelSetFileName("Levelset");
  std::string path = folder + file;
  std::error_code ec;
  if (fs::equivalent(source, path, ec)) return {ImportOutcome::AlreadyThere, path};
  ImportOutcome outcome = ImportOutcome::Added;
  if (FileExists(path)) {
    if (SameContent(path, bytes)) return {ImportOutcome::AlreadyThere, path};
    if (replace(TReqLevelSelect::ShownName(path))) {
      outcome = ImportOutcome::Replaced;
    } else {
      file = NumberedFile(folder, file, bytes);
      if (file.empty()) return {ImportOutcome::NotSaved, ""};
      path = folder + file;
      if (FileExists(path)) return {ImportOutcome::AlreadyThere, path};
      outcome = ImportOutcome::KeptBoth;
    }
  }
  if (!SaveBytes(path, bytes)) return {ImportOutcome::NotSaved, ""};
  return {outcome, path};
}

std::string ImportForPlayer(const std::string& source, const std::function<void()>& backdrop) {
  DebugLog("Import levelset: " + source);
  const LevelImport result =
      ImportLevelSet(source, DataFolder ? DataFolder->GetPath() : std::string(), [&](const std::string& name) {
        return AskYesNo(backdrop, Text("Replace levelset?"),
                        Text("\"$name\"\nis already there, with other levels.\nReplace it? No keeps both.",
                             {"name", Shown(name)}),
                        false) == "YES";
      });
  const std::string file = Shown(Latin1FromUtf8(fs::path(source).filename().string()));
  switch (result.outcome) {
    case ImportOutcome::CannotOpen:
      AskYesNo(backdrop, Text("Levelset not found"), Text("\"$file\"\ncould not be opened.", {"file", file}), true);
      break;
    case ImportOutcome::NotALevelSet:
      AskYesNo(backdrop, Text("Not a levelset"),
               Text("\"$file\"\nis not a levelset,\nor it is damaged.", {"file", file}), true);
      break;
    case ImportOutcome::NotSaved:
      AskYesNo(backdrop, Text("Levelset not saved"), Text("The levelset could not be created\nin the data folder."),
               true);
      break;
    default:
      break;
  }
  DebugLog("Import result " + std::to_string(int(result.outcome)) + ": " + result.path);
  if (result.path.empty()) return "";
  Users->GetCurrentUser()->CurrLevelFile = result.path;
  Users->SaveInBackground();
  return result.path;
}
