#include "app/shell.h"
#include "media/input.h"
#include "support/game_env.h"
#include "ui/requester.h"
#include "ui/widgets.h"

namespace {

// A requester that records its events.
class Probe : public TRequester {
public:
  std::vector<std::string> pressed, down;
  int render2Calls = 0;
  void ButtonPressed(const std::string& name) override { pressed.push_back(name); }
  void ButtonDown(const std::string& name) override { down.push_back(name); }
  void Render2(float, float) override { ++render2Calls; }
};

class Requesters : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    probe.SetImage("incbin::../gfx/users_requester.png", true);
    probe.AddButton("OK", 312, 317, 96, 37, true, false, 0, nullptr);
  }
  // One frame of the owner's loop with the requester at (62, 25).
  void Frame() {
    PollInput();
    Cls();
    probe.Render(62, 25);
  }
  static void Press(int x, int y) {
    InjectMouseMove(x, y);
    InjectMouseButton(MOUSE_LEFT, true);
  }
  Probe probe;
};

}  // namespace

TEST_F(Requesters, EdgesAreOutsideAndOnePixelInFires) {
  Press(62 + 312, 25 + 317);  // exactly on the top-left corner
  Frame();
  InjectMouseButton(MOUSE_LEFT, false);
  Frame();
  EXPECT_TRUE(probe.pressed.empty());
  EXPECT_TRUE(probe.down.empty());
  Press(62 + 313, 25 + 318);
  Frame();
  Frame();
  Frame();
  InjectMouseButton(MOUSE_LEFT, false);
  Frame();
  EXPECT_EQ(probe.pressed, std::vector<std::string>{"OK"});
  EXPECT_EQ(probe.down.size(), 3u);  // every frame the button is held over it
}

TEST_F(Requesters, PressStartedElsewhereOnlyShowsThePressedLook) {
  Press(10, 10);
  Frame();
  InjectMouseMove(62 + 350, 25 + 330);
  Frame();
  EXPECT_TRUE(probe.pressed.empty());
  EXPECT_EQ(probe.down.size(), 1u);
}

TEST_F(Requesters, FadingRequesterDrawsButIgnoresButtons) {
  probe.Alpha = 0.99f;
  Press(62 + 350, 25 + 330);
  Frame();
  EXPECT_TRUE(probe.pressed.empty());
  EXPECT_TRUE(probe.down.empty());
  EXPECT_EQ(probe.render2Calls, 1);
}

TEST_F(Requesters, SlidersClampAndTheKnobAtTheEndCanBeGrabbed) {
  probe.AddButton("VOL", 100, 100, 118, 21, true, true, 100, nullptr);
  // The knob of a full slider sits 118 px along; it lies in the 23-px extension.
  Press(62 + 100 + 118 + 10, 25 + 110);
  Frame();
  InjectMouseMove(620, 25 + 110);
  Frame();
  EXPECT_EQ(probe.GetButtonValue("VOL"), 100);
  InjectMouseMove(0, 25 + 110);
  Frame();
  EXPECT_EQ(probe.GetButtonValue("VOL"), 0);
  InjectMouseMove(62 + 100 + 59, 400);  // the drag follows the mouse anywhere
  Frame();
  EXPECT_EQ(probe.GetButtonValue("VOL"), 50);
  InjectMouseButton(MOUSE_LEFT, false);
  Frame();
  InjectMouseMove(62 + 100 + 5, 25 + 110);
  Frame();
  EXPECT_EQ(probe.GetButtonValue("VOL"), 50);  // released: no more dragging
  EXPECT_GE(std::count(probe.pressed.begin(), probe.pressed.end(), "VOL"), 3);
}

TEST_F(Requesters, DuplicateNamesReachOnlyTheFirst) {
  probe.AddButton("X", 0, 0, 1, 1, false, false, 1, nullptr);
  probe.AddButton("X", 0, 0, 1, 1, false, false, 2, nullptr);
  probe.SetButtonValue("X", 9);
  EXPECT_EQ(probe.GetButtonValue("X"), 9);
  EXPECT_EQ(probe.ButtonList.back()->value, 2);
  EXPECT_EQ(probe.GetButtonValue("missing"), 0);
  probe.SetButtonValue("missing", 3);  // silently nothing
}

// The press rule, frame by frame: (pointer over the button?, button down?, clicked this
// frame?) → fired.
struct PressStep {
  bool over, down, click, fires;
};
class PressRule : public GameTest, public ::testing::WithParamInterface<std::vector<PressStep>> {};

TEST_P(PressRule, TextButtonFiresOnlyOnReleaseOverIt) {
  int frame = 0;
  for (const PressStep& s : GetParam()) {
    InjectMouseMove(s.over ? 320 : 10, s.over ? 240 : 10);
    if (s.click) {
      InjectMouseButton(MOUSE_LEFT, true);
      if (!s.down) InjectMouseButton(MOUSE_LEFT, false);
    } else {
      InjectMouseButton(MOUSE_LEFT, s.down);
    }
    PollInput();
    EXPECT_EQ(TextButton("Graphics", 320, 240), s.fires) << "frame " << frame;
    ++frame;
  }
}

std::string PressCaseName(const ::testing::TestParamInfo<std::vector<PressStep>>& info) {
  static const char* const names[] = {"HoldAndRelease", "DragOffAndBack", "PressElsewhere", "ClickBetweenFrames"};
  return names[info.index];
}

INSTANTIATE_TEST_SUITE_P(
    Frames, PressRule,
    ::testing::Values(
        // press, hold, release over it: fires on release
        std::vector<PressStep>{{true, true, true, false}, {true, true, false, false}, {true, false, false, true}},
        // press, drag off, back on, release: cancelled when it left
        std::vector<PressStep>{{true, true, true, false}, {false, true, false, false}, {true, true, false, false},
                               {true, false, false, false}},
        // press elsewhere, release over it: nothing
        std::vector<PressStep>{{false, true, true, false}, {true, true, false, false}, {true, false, false, false}},
        // a whole click between two frames fires in that frame
        std::vector<PressStep>{{true, false, true, true}}),
    PressCaseName);

TEST_F(Requesters, DisabledImageButtonIgnoresClicks) {
  InjectMouseMove(200, 200);
  InjectMouseButton(MOUSE_LEFT, true);
  InjectMouseButton(MOUSE_LEFT, false);
  PollInput();
  EXPECT_FALSE(ImageButton("Ok", 200, 200, true));
  InjectMouseButton(MOUSE_LEFT, true);
  InjectMouseButton(MOUSE_LEFT, false);
  PollInput();
  EXPECT_TRUE(ImageButton("Ok", 200, 200, false));
}
