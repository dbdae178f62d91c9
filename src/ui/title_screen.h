// The main menu: the title logo, "Start game", "Preferences", "Level editor",
// "Highscore", the greeting that opens the player list, and "Quit". Not a loop of its own:
// the intro's host loop calls Run once a frame until TitleMenuState drops; Action then
// holds the result ("PLAY", "LEVEL_EDITOR" or "QUIT") for the main loop.
#pragma once

#include "media/image.h"

#include <array>
#include <memory>
#include <string>

class TOptions;
class TReqEnterName;
class TReqUsers;
class TReqYesNo;
class TUser;

class TTitleScreen {
public:
  // Loads the artwork, makes the three requesters and reloads the profiles from disk.
  TTitleScreen();

  std::shared_ptr<TReqEnterName> NameReq;
  std::shared_ptr<TOptions> ReqOptions;
  std::shared_ptr<TReqUsers> ReqUsers;
  std::shared_ptr<TReqYesNo> DeleteReq;     // "Delete player?"
  std::shared_ptr<TUser> DeleteCandidate;  // the player it asks about
  float TextAlpha = -1.5f;  // the texts show after 30 frames, clickable after 50
  std::string Action;       // the menu's state; "" is the idle menu
  float Alpha = 1;          // logo area, and the host's fade (0 = black)
  bool TitleMenuState = false;
  ImagePtr Fan;
  std::array<ImagePtr, 2> TangramFont;  // the logo and its mask
  float FontState = -1;

  void LoadTitleData();
  void InitRun();
  // Puts the question whether to delete this player (the list's "Delete").
  void AskToDelete(const std::shared_ptr<TUser>& user);
  // One frame of the menu; always 0. Does nothing once the visit has ended.
  int Run();
  // One centred headline entry; true in the frame in which it is chosen.
  bool DrawMenuItem(const std::string& text, int x, int y, float scale);

private:
  void DrawLogo();
  // The name requester while it is open or fading out; false when it is not shown.
  bool RenderNameRequester();
  // The delete question while it is open or fading out; false when it is not shown.
  bool RenderDeleteQuestion();
  void DrawMenuTexts(int wobble);
  // A text area (player greeting, "Quit") that reacts to hover and click.
  bool TextArea(const std::string& line1, int x1, int y1, const std::string& line2, int x2, int y2, int left,
                int top, int right, int bottom);
  void Transitions();
};

// The title screen of the current menu visit; null between visits.
extern std::shared_ptr<TTitleScreen> TitleScreen;
