#include "app/startup.h"

#include "app/shell.h"
#include "bonus/star_emitter.h"
#include "media/audio.h"
#include "media/debug.h"
#include "media/desktop.h"
#include "media/graphics.h"
#include "media/platform.h"
#include "media/random.h"
#include "media/resource_store.h"
#include "players/data_folder.h"
#include "players/users.h"
#include "present/particles.h"
#include "present/ambient.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "present/language_choice.h"
#include "present/latin1.h"
#include "present/pointer.h"
#include "present/sound.h"

namespace {

void RegisterResourcesOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterEmbeddedResources();
}

const char* const STORY_KEY =
    "Your voyage to enlightenment starts here.\\n\\nAre you able to solve all the puzzles on your path to the "
    "Quorvale?";

}  // namespace

void InitSharedResources() {
  static bool done = false;
  if (done) return;
  done = true;
  RegisterResourcesOnce();
  SeedRnd(Millisecs());
  InitStrings();
  InitDataFolder();
  AutoMidHandle(true);
  DefaultButton = LoadAnimImage("incbin::../gfx/default_button.png", 122, 60, 0, 3);
  AutoMidHandle(false);
  InitFonts();
  SliderKnob = LoadImage("incbin::../gfx/regler.png");
  InitPointer();
  InitParticles();
  YourNameCaption = Language->GetString("Your name:");
  StoryText = Language->GetString(STORY_KEY);
}

void InitLanguage(const std::string& language) {
  RegisterResourcesOnce();
  InitStrings();
  SelectLanguage(language.empty() ? LanguageForLocale(SystemLocale()) : language);
}

void InitModulesButSound() {
  RegisterResourcesOnce();
  InitStrings();
  InitPlayers();
  InitSharedResources();
  InitAmbient();
  InitBonus();
}

void InitModules() {
  InitModulesButSound();
  InitSound();
}

bool StartMainProgram(bool fullscreen) {
  AppTitle(Utf8FromLatin1(Language->GetString("Quorvale")));  // the window system reads UTF-8
  AppIcon("incbin::../gfx/icon.png");
  if (!Graphics(SCREEN_WIDTH, SCREEN_HEIGHT, fullscreen ? 32 : 0, 60, 0)) return false;
  InitSound();
  AutoImageFlags(IMG_MASKED | IMG_FILTERED | IMG_MIPMAPPED);
  HideMouse();
  SetBlend(BLEND_ALPHA);

  Users->Load();
  if (Users->UserList.empty()) {
    std::string name = EnvironmentUserName();
    if (name.empty()) name = Language->GetString("New Player");
    Users->AddUser(name, 100, 80, 0, 0, 0, 0, true, true, true, true, "", 0, false);
    Users->SaveInBackground();
  }
  const UserPtr user = Users->GetCurrentUser();

  DebugLog("MUSICNO.: " + std::to_string(user->Selected_Music));
  Music = LoadSong("incbin::../sfx/song" + std::to_string(user->Selected_Music + 1) + ".ogg");
  if (Music && MusicChannel) {
    // The player's own music volume from the first note (not full volume).
    MusicChannel->SetVolume(float(user->MusicVolume) / 100);
    MusicChannel = PlaySound(Music, MusicChannel);
  }
  DebugLog("MusicVolume..." + std::to_string(user->MusicVolume));
  return true;
}
