#include "bench_env.h"

#include "app/shell.h"
#include "app/startup.h"
#include "levels/puzzle_set.h"
#include "media/audio.h"
#include "media/graphics.h"
#include "media/image.h"
#include "media/random.h"
#include "players/users.h"
#include "present/ambient.h"

#include <cstdlib>
#include <filesystem>

void StartBenchModules(const char* folderName) {
  static bool done = false;
  if (done) return;
  done = true;
  const auto home = std::filesystem::temp_directory_path() / folderName;
  std::filesystem::remove_all(home);
  std::filesystem::create_directories(home);
  setenv("XDG_DATA_HOME", home.c_str(), 1);
  SetBackend(Backend::Headless);
  Graphics(640, 480);
  InitModules();
  Users->RemoveAllUsers();
  Users->AddUser("Bench", 100, 80, 0, 0, 0, 0, true, false, false, false, "", 0, true);
  CurrentUserIndex = 0;
}

bool OpenBenchFrame(Backend backend) {
  SetFrameDriver(nullptr);
  EndGraphics();
  SetBackend(backend);
  if (!Graphics(640, 480)) return false;
  AutoImageFlags(IMG_MASKED | IMG_FILTERED | IMG_MIPMAPPED);
  SetBlend(BLEND_ALPHA);
  LoadGameGfx();
  LoadBackground(0);
  LoadPuzzleSet(0, false);
  // The fog layers start at random places and sizes: the same ones in every run.
  SeedRnd(20261210);
  AmbientNebel = std::make_shared<FX_Nebel>();
  // A player reaches a level long after the start-up decodes have finished.
  FinishBackgroundDecodes();
  FinishSoundDecodes();
  return true;
}
