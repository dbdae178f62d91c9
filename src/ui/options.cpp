#include "ui/options.h"

#include "app/shell.h"
#include "media/graphics.h"
#include "players/ranks.h"
#include "players/users.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "present/sound.h"
#include "ui/widgets.h"

namespace {

void Headline(const std::string& key, float x, float y) {
  if (FontHeadline) FontHeadline->Draw(Text(key), x, y, true);
}

std::string OnOff(bool on) { return Text(on ? "on" : "off"); }

std::string Named(const char* const* names, int count, int index) {
  return index >= 0 && index < count ? Text(names[index]) : std::string();
}

}  // namespace

std::string BackgroundName(int index) {
  static const char* const names[] = {"Cloudy mountains", "Snow world",     "The pond",
                                      "View from above",  "Autumn trees", "Panorama"};
  return Named(names, 6, index);
}

std::string PuzzleSetName(int index) {
  static const char* const names[] = {"Marble", "Wood"};
  return Named(names, 2, index);
}

std::string SongName(int index) {
  static const char* const names[] = {"Title Theme", "Prayer Flags", "Voyage to Enlightment"};
  return Named(names, 3, index);
}

TReqOptions::TReqOptions(std::shared_ptr<TUser> user) : User(std::move(user)) {
  SetImage("incbin::../gfx/yesno_requester.png", false);
  SetScaleFactor(1.0f, 1.2f);
  AutoMidHandle(false);
  Slider = LoadImage("incbin::../gfx/slider.png");
  AddButton("MUSIC_VOLUME", 250, 126, 118, 21, true, true, 100, Slider);
  AddButton("SFX_VOLUME", 250, 166, 118, 21, true, true, 80, Slider);
  if (User) {
    SetButtonValue("MUSIC_VOLUME", User->MusicVolume);
    SetButtonValue("SFX_VOLUME", User->SFXVolume);
  }
}

void TReqOptions::Render2(float x, float y) {
  Headline("Audio", x + 229, y + 75);
  if (FontMainHover) {
    FontMainHover->Draw(Text("Music"), x + 78, y + 115, false);
    FontMainHover->Draw(Text("FX"), x + 78, y + 155, false);
  }
  if (User && UpdateRank(*User) == 0) {
    if (FontMainHover) FontMainHover->Draw(Text("No songs available"), x + 224, y + 210, true);
  } else if (User && TextButton(Text("Change song: $songname", {"songname", SongName(User->Selected_Music)}),
                                int(x + 229), int(y + 215))) {
    NextSong(*User);
  }
  if (ImageButton(Text("Okay"), int(x + 229), int(y + 255), false)) ButtonPressed("OK");
}

void TReqOptions::ButtonPressed(const std::string& name) {
  if (!User) return;
  if (name == "OK") {
    User->MusicVolume = GetButtonValue("MUSIC_VOLUME");
    User->SFXVolume = GetButtonValue("SFX_VOLUME");
    ButtonNamePressed = "OK";
  } else if (name == "MUSIC_VOLUME") {
    User->MusicVolume = GetButtonValue("MUSIC_VOLUME");
    if (MusicChannel) MusicChannel->SetVolume(float(User->MusicVolume) / 100);
  } else if (name == "SFX_VOLUME") {
    User->SFXVolume = GetButtonValue("SFX_VOLUME");
    // A sample of the new volume, whenever the last one has finished.
    if (SFX && !(SFX->sfxchannels[SFX_PUZZZOOM_3] && SFX->sfxchannels[SFX_PUZZZOOM_3]->Playing()))
      SFX->Play(SFX_PUZZZOOM_3);
  }
}

TOptions::TOptions() {
  CurrReq = R_MAIN;
  AutoMidHandle(false);
  RequesterImg = LoadImage("incbin::../gfx/yesno_requester.png");
  User = Users->GetCurrentUser();
  ReqOptions = std::make_shared<TReqOptions>(User);
  ShowBack = true;
  Alpha = 0;
}

void TOptions::ResetForTitle() {
  CurrReq = R_MAIN;
  ShowBack = false;
  Alpha = 0;
  User = Users->GetCurrentUser();
  ReqOptions->User = User;
  ReqOptions->SetButtonValue("MUSIC_VOLUME", User->MusicVolume);
  ReqOptions->SetButtonValue("SFX_VOLUME", User->SFXVolume);
}

void TOptions::Render(int x, int y) {
  const float alpha = GetAlpha();
  if (CurrReq == R_MAIN && Alpha < 1) Alpha += 0.1f;
  if ((CurrReq == R_FADEOUT || CurrReq == R_BACKTOMAIN) && Alpha > 0) Alpha -= 0.1f;
  // Ten float steps of 0.1 leave a rest of about 1e-7: the tenth step is the last.
  if (CurrReq == R_FADEOUT && Alpha < 0.05f) CurrReq = R_CLOSE;
  SetAlpha(Alpha);
  switch (CurrReq) {
    case R_MAIN:
    case R_FADEOUT: RenderMain(x, y); break;
    case R_GFX: RenderGfx(x, y); break;
    case R_SFX: RenderSfx(x, y); break;
    case R_GAMEPLAY: RenderGameplay(x, y); break;
    case R_BACK:
    case R_BACKTOMAIN: RenderBack(x, y); break;
    default: break;
  }
  SetAlpha(alpha);
}

void TOptions::RenderMain(int x, int y) {
  SetScale(0.7f, 1.48f);
  DrawImage(RequesterImg, float(x + 67), float(y - 23));
  SetScale(1, 1);
  Headline("Preferences", float(x + 224), float(y + 68));
  if (TextButton(Text("Graphics"), x + 228, y + 140)) CurrReq = R_GFX;
  if (TextButton(Text("Audio"), x + 228, y + 175)) CurrReq = R_SFX;
  if (TextButton(Text("Game"), x + 228, y + 210)) CurrReq = R_GAMEPLAY;
  if (ShowBack && TextButton(Text("Back to main menu"), x + 228, y + 245)) CurrReq = R_BACK;
  if (ImageButton(Text("Okay"), x + 228, y + 300, false)) CurrReq = R_FADEOUT;
}

void TOptions::RenderGfx(int x, int y) {
  SetScale(1.0f, 1.3f);
  DrawImage(RequesterImg, float(x), float(y - 14));
  SetScale(1, 1);
  Headline("Graphics", float(x + 224), float(y + 58));
  // Each rank unlocks one more background.
  const int rank = UpdateRank(*User);
  if (User->Selected_Background > rank) User->Selected_Background = rank;
  if (rank == 0) {
    if (FontMainHover) FontMainHover->Draw(Text("No backgrounds available!"), float(x + 223), float(y + 145), true);
    if (FontMainHover) FontMainHover->Draw(Text("No puzlesets available!"), float(x + 223), float(y + 180), true);
  } else {
    if (TextButton(Text("Background: $bgname", {"bgname", BackgroundName(User->Selected_Background)}), x + 228, y + 150)) {
      if (SFX) {
        SFX->Stop(SFX_RAINLOOP);
        SFX->Stop(SFX_WINDLOOP);
      }
      NextBackground(*User);
    }
    if (TextButton(Text("Puzzleset: $pset", {"pset", PuzzleSetName(User->Selected_Puzzleset)}), x + 228, y + 185))
      NextPuzzleSet(*User);
  }
  if (TextButton(Text("Background animation: ") + OnOff(User->BackgroundAnimation), x + 228, y + 220))
    User->BackgroundAnimation = !User->BackgroundAnimation;
  if (ImageButton(Text("Okay"), x + 228, y + 275, false)) CurrReq = R_MAIN;
}

void TOptions::RenderSfx(int x, int y) {
  ReqOptions->Render(float(x), float(y + 35));
  if (ReqOptions->ButtonNamePressed == "OK") {
    CurrReq = R_MAIN;
    ReqOptions->ButtonNamePressed = "";
  }
}

void TOptions::RenderGameplay(int x, int y) {
  SetScale(1.0f, 1.3f);
  DrawImage(RequesterImg, float(x), float(y - 14));
  SetScale(1, 1);
  Headline("Game", float(x + 224), float(y + 68));
  if (TextButton(Text("Map:") + " " + OnOff(User->ProgressMap), x + 228, y + 140)) User->ProgressMap = !User->ProgressMap;
  if (TextButton(Text("Wisdoms:") + " " + OnOff(User->Wisdoms), x + 228, y + 175)) User->Wisdoms = !User->Wisdoms;
  if (TextButton(Text("Tutorial:") + " " + OnOff(User->Tutorial), x + 228, y + 210)) User->Tutorial = !User->Tutorial;
  if (ImageButton(Text("Okay"), x + 228, y + 270, false)) CurrReq = R_MAIN;
}

void TOptions::RenderBack(int x, int y) {
  DrawImage(RequesterImg, float(x), float(y + 20));
  Headline("Quit game?", float(x + 230), float(y + 85));
  if (FontMain)
    FontMain->Draw(Text("Are you sure you want to quit this game\nand return to the main menu?"), float(x + 230),
                   float(y + 135), true);
  if (ImageButton(Text("Sure"), x + 110, y + 230, false)) CurrReq = R_BACKTOMAIN;
  if (ImageButton(Text("No"), x + 350, y + 230, false)) CurrReq = R_MAIN;
}
