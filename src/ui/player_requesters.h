// The two requesters of the title screen that manage players: the player list
// (choose, add, rename, delete) and the name entry. They report to the title screen by
// writing its Action and change the profiles through Users and CurrentUserIndex.
#pragma once

#include "ui/requester.h"
#include "ui/text_entry.h"

#include <string>

// A name as it may be shown and stored: control characters (line breaks, tabs, zero
// bytes) become spaces, so a name always stays one line of text and of the profile file.
std::string PrintableName(const std::string& name);

class TReqUsers : public TRequester {
public:
  TReqUsers();

  float ListOffset = 0;
  int ListHeight = 0;
  ImagePtr Ziehbalken;  // top and bottom edge lines of the scroll thumb
  ImagePtr Dharma;      // the turning prayer wheel
  float dframe = 0;

  void Render2(float x, float y) override;
  void ButtonPressed(const std::string& name) override;
  void ButtonDown(const std::string& name) override;

private:
  void DrawList(float x, float y);
  void DrawScrollBar(float x, float y);
  void DrawPrayerWheels();
  void DrawButtons(float x, float y);
};

class TReqEnterName : public TRequester, public TextEntry {
public:
  TReqEnterName();

  bool ChangeName = false;
  int ChangeId = -1;
  ImagePtr StrField;

  void Render2(float x, float y) override;
  // "Ok" (the button or the Enter key) commits the typed name.
  void ButtonPressed(const std::string& name) override;

private:
  void CommitName();
};
