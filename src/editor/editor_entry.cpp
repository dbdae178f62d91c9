#include "editor/editor_entry.h"

#include "app/shell.h"
#include "editor/editor.h"
#include "editor/editor_dialogs.h"
#include "editor/level_chooser.h"
#include "levels/level_set.h"
#include "media/debug.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/stream.h"
#include "players/data_folder.h"
#include "present/language.h"
#include "present/pointer.h"

namespace {

std::string Folder() { return DataFolder ? DataFolder->GetPath() : std::string(); }

void DrawPointer() {
  SetAlpha(1);
  if (MousePointer) MousePointer->Draw();
}

// The chooser fades in, runs until "New" or "Ok", then fades out. False after ESC.
bool ChooseSet(TReqLevelSeletor& chooser) {
  float fadeIn = 1, fadeOut = 0;
  bool back = false;
  while (true) {
    BeginBackdropFrame();
    chooser.Render(150, 100);
    DrawPointer();
    if (KeyHit(KEY_ESCAPE) && chooser.Action.empty()) back = true;
    if (!chooser.Action.empty() || back) {
      fadeOut += 0.1f;
      BlackCover(fadeOut);
      if (fadeOut > 1.0f) {
        Cls();
        ShowFrame();
        return !back;
      }
    } else if (fadeIn > 0) {
      BlackCover(fadeIn);
      fadeIn -= 0.1f;
    }
    ShowFrame();
  }
}

// Until "Ok" with a usable name; false after ESC.
bool EnterName(TReqEnterLevelName& entry) {
  entry.Action.clear();
  FlushKeys();  // keys typed before do not land in the name
  while (entry.Action != "OK") {
    BeginBackdropFrame();
    entry.Render(95, 50);
    DrawPointer();
    if (KeyHit(KEY_ESCAPE)) return false;
    ShowFrame();
  }
  return true;
}

// The path of a new set's file, or "" after ESC. A name whose file exists is taken only
// when the player agrees to overwrite it; otherwise the name entry comes back, name kept.
std::string NameNewSet() {
  TReqEnterLevelName entry;
  while (EnterName(entry)) {
    const std::string path = Folder() + LevelSetFileName(entry.Caption);
    if (!FileExists(path)) return path;
    DebugLog("Levelset exists: " + path);
    if (AskPlayer(Text("Overwrite levels?"), Text("Levelset already exists.\nOverwrite?"), false) == "YES") return path;
  }
  return "";
}

}  // namespace

void RunLevelEditor() {
  while (true) {
    TReqLevelSeletor chooser;
    if (!ChooseSet(chooser)) return;
    LevelFilePath = Folder() + chooser.LevelFile;
    DebugLog("curr Levelfile: " + LevelFilePath);
    if (chooser.Action == "NEW") {
      const std::string path = NameNewSet();
      if (path.empty()) continue;
      LevelFilePath = path;
    }
    if (!FileExists(LevelFilePath) && !CreateEmptyLevelSet(LevelFilePath)) {
      DebugLog("Could not create " + LevelFilePath);
      AskPlayer(Text("Levelset not saved"), Text("The levelset could not be created\nin the data folder."), true);
      return;
    }
    TEd editor;
    editor.Start();
    return;
  }
}
