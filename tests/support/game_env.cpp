#include "support/game_env.h"

#include "app/shell.h"
#include "app/startup.h"
#include "game/shape.h"
#include "levels/geometry.h"
#include "levels/puzzle_set.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/resource_store.h"
#include "media/stream.h"
#include "players/data_folder.h"
#include "players/users.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace {

std::filesystem::path& Home() {
  static std::filesystem::path home;
  return home;
}

}  // namespace

std::string GameTest::DataHome() { return Home().string(); }

void GameTest::SetUp() {
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  Home() = std::filesystem::temp_directory_path() / "qv_game_tests" / (std::string(info->test_suite_name()) + "." + info->name());
  std::filesystem::remove_all(Home());
  std::filesystem::create_directories(Home());
  setenv("XDG_DATA_HOME", Home().c_str(), 1);
  HeadlessTest::SetUp();
  InitModules();
  // Every test starts from the same player, frame and pieces.
  if (DataFolder) DataFolder->SetPath("Ostravin/Quorvale/");
  Users->RemoveAllUsers();
  Users->AddUser("Tester", 100, 80, 0, 0, 0, 0, true, true, true, true, "", 0, false);
  CurrentUserIndex = 0;
  AutoImageFlags(IMG_MASKED | IMG_FILTERED | IMG_MIPMAPPED);
  SetBlend(BLEND_ALPHA);
  LoadGameGfx();
  LoadBackground(0);
  LoadPuzzleSet(0, false);
  Shape::ClearAllElements();
  TargetTris.clear();
  HeldShape = nullptr;
  FloatOffset = 0;
  ClickLatch = {0, 0};
  MouseWheel = OldMouseWheel = 0;
}

void GameTest::TearDown() {
  FinishBackgroundWrites();  // the test's saves land in its own folder before the next test
  Shape::ClearAllElements();
  HeadlessTest::TearDown();
}

std::vector<std::string> ShippedSetNames() {
  RegisterEmbeddedResources();
  std::vector<std::string> sets;
  for (const std::string& name : ResourceNames())
    if (name.rfind("../data/", 0) == 0 && name.size() > 12 && name.compare(name.size() - 4, 4, ".lvl") == 0)
      sets.push_back(name.substr(8, name.size() - 12));
  std::sort(sets.begin(), sets.end());
  return sets;
}
