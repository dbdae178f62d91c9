// The title menu's entries: the press rule frame by frame, and the gates on it (texts not
// yet fully shown, another action already under way).
#include "app/shell.h"
#include "media/input.h"
#include "support/game_env.h"
#include "ui/title_screen.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int ON_X = 316, ON_Y = 197;   // the centre of "Start game"
constexpr int OFF_X = 316, OFF_Y = 400;

struct Frame {
  bool over;
  bool down;
};

struct MenuItemCase {
  const char* name;
  std::vector<Frame> frames;
  float textAlpha;
  const char* action;
  int firesInFrame;  // −1: never
};

void PrintTo(const MenuItemCase& c, std::ostream* os) { *os << c.name; }

class MenuItemRule : public GameTest, public ::testing::WithParamInterface<MenuItemCase> {};

}  // namespace

TEST_P(MenuItemRule, FiresOnlyOnTheReleaseOfAPressThatBeganOverIt) {
  const MenuItemCase& c = GetParam();
  TTitleScreen menu;
  menu.TextAlpha = c.textAlpha;
  menu.Action = c.action;
  WidgetHover.fill(0);
  int fired = -1;
  for (size_t i = 0; i < c.frames.size(); ++i) {
    const Frame& f = c.frames[i];
    InjectMouseMove(f.over ? ON_X : OFF_X, f.over ? ON_Y : OFF_Y);
    InjectMouseButton(MOUSE_LEFT, f.down);
    PollInput();
    if (menu.DrawMenuItem("Start game", 316, 197, 1.0f)) {
      EXPECT_EQ(fired, -1) << "fired twice";
      fired = int(i);
    }
  }
  EXPECT_EQ(fired, c.firesInFrame);
}

INSTANTIATE_TEST_SUITE_P(
    TitleMenu, MenuItemRule,
    ::testing::Values(
        MenuItemCase{"PressAndReleaseOverIt", {{true, false}, {true, true}, {true, true}, {true, false}}, 1, "", 3},
        MenuItemCase{"ReleasedElsewhereCancels", {{true, true}, {false, true}, {false, false}, {true, false}}, 1, "", -1},
        // Unlike the buttons, an entry keeps its press while the pointer wanders off and back.
        MenuItemCase{"DragOffAndBackStillFires", {{true, true}, {false, true}, {true, true}, {true, false}}, 1, "", 3},
        MenuItemCase{"PressBeganElsewhere", {{false, true}, {true, true}, {true, false}}, 1, "", -1},
        MenuItemCase{"TextsNotFullyShown", {{true, true}, {true, false}}, 0.95f, "", -1},
        MenuItemCase{"AnotherActionUnderWay", {{true, true}, {true, false}}, 1, "OPTIONS", -1}),
    [](const ::testing::TestParamInfo<MenuItemCase>& param) { return std::string(param.param.name); });
