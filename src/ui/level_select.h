// The level-set selection before a game: a scrolling list of the shipped sets and the
// player's own sets from the data folder, a preview of the chosen set's first level, the
// player's progress in it and "Choose". Constructing a TReqLevelSelect runs the screen;
// afterwards LevelFilePath holds the chosen set, which holds at least one playable level:
// a file that cannot be read or holds no puzzle is refused with a message. Level sets
// handed to the game while it runs are imported here and selected.
#pragma once

#include "media/image.h"

#include <string>
#include <vector>

class TUser;

class TReqLevelSelect {
public:
  TReqLevelSelect();  // runs the screen to its end

  ImagePtr LevelSel_Screen;
  ImagePtr Liste;  // frame 0 hovered look, frame 1 selected or pressed look
  float Fader = 1;
  bool LeaveScreen = false;
  float ListOffset = 0;
  int ListHeight = 0;
  std::string LevelFile;
  int sel = 0;
  bool slide = false;
  std::vector<std::string> dir;

  void Render();

  // The shipped sets, then every entry of the data folder.
  static std::vector<std::string> CandidatePaths();
  // Only ".lvl" files are offered (the extension is compared exactly).
  static bool IsLevelSet(const std::string& path);
  // The path without its folder and its extension.
  static std::string ShownName(const std::string& path);
  // The player's furthest level in the set at exactly this path (the last entry), else 0.
  static int Progress(const TUser& user, const std::string& path);
  static bool Completed(const TUser& user, const std::string& path);
  // The first-frame choice: the player's last set (case ignored), or, if that one is
  // completed, the next set in the list that is not.
  static int InitialSelection(const TUser& user, const std::vector<std::string>& sets);

private:
  std::vector<std::string> sets_;  // the listed candidates
  int shownSel_ = -1;
  int progress_ = 0;
  bool playable_ = false;  // the selected set holds a level the game can play
  int previewLevel_ = 0;   // the first of them

  void ListSets();
  // Level sets dropped onto the window (or given to the program) are imported and the
  // last one imported is selected.
  void ImportOpenedFiles();
  void DrawPage();  // the backdrop and the headlines
  // Behind a question: the page as it stands, the list left out (it would take clicks).
  void DrawBackdrop();
  void DrawList();
  // A preselected row below the visible list is scrolled up to its last line.
  void ScrollIntoView(int row);
  void SelectionChanged();
  void DrawScrollBar();
  void DrawPreview();
  void DrawProgress();
  // Says that the selected set cannot be played until the player clicks "Okay"; the
  // selection then goes on.
  void Refuse();
};
