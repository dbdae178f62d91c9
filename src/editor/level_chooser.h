// Before the editor opens: the chooser that lists the player's own level sets in the data
// folder ("New" or "Ok"), and the name entry for a new set. Both are requesters the editor
// entry draws every frame; it reads Action, LevelFile and Caption.
#pragma once

#include "levels/level_set.h"  // LevelSetFileName: the file a typed name is stored under
#include "ui/requester.h"
#include "ui/text_entry.h"

#include <string>
#include <vector>

class TReqLevelSeletor : public TRequester {
public:
  TReqLevelSeletor();  // reads the data folder once

  float ListOffset = 0;
  int ListHeight = 0;     // how far the list scrolls: all rows − 238, at least 0
  std::string LevelFile;  // file name (with ".lvl") of the selected row
  std::string Action;     // "", then "NEW" or "OK"
  int sel = -1;
  bool slide = false;
  std::vector<std::string> dir;  // the level-set files of the data folder, in order

  void Render2(float x, float y) override;
  void ButtonPressed(const std::string& name) override;
  void ButtonDown(const std::string& name) override;

  // Only regular files ending exactly in ".lvl" are the player's sets.
  static std::vector<std::string> LevelSetFiles(const std::string& folder);

private:
  void DrawList(float x, float y);
  void DrawScrollBar(float x, float y);
};

class TReqEnterLevelName : public TRequester, public TextEntry {
public:
  TReqEnterLevelName();

  std::string Action;  // "", then "OK" once "Ok" is clicked with a usable name
  ImagePtr StrField;

  void Render2(float x, float y) override;
  void ButtonPressed(const std::string& name) override;
};
