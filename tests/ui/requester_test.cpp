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

// A point on one edge of a button, or one pixel inside it.
struct EdgeCase {
  const char* name;
  char side;  // 'l'eft, 'r'ight, 't'op, 'b'ottom
  bool inside;
};

// left, top, right and bottom of a button on the screen.
struct Rect {
  int l, t, r, b;
  std::pair<int, int> At(const EdgeCase& c) const {
    const int in = c.inside ? 1 : 0;
    switch (c.side) {
      case 'l': return {l + in, (t + b) / 2};
      case 'r': return {r - in, (t + b) / 2};
      case 't': return {(l + r) / 2, t + in};
      default: return {(l + r) / 2, b - in};
    }
  }
};

const EdgeCase EDGES[] = {{"on the left edge", 'l', false},  {"inside the left edge", 'l', true},
                          {"on the right edge", 'r', false}, {"inside the right edge", 'r', true},
                          {"on the top edge", 't', false},   {"inside the top edge", 't', true},
                          {"on the bottom edge", 'b', false}, {"inside the bottom edge", 'b', true}};

TEST_F(Requesters, ButtonEdgesAreOutsideAndOnePixelInFiresOnEverySide) {
  const Rect ok{62 + 312, 25 + 317, 62 + 312 + 96, 25 + 317 + 37};
  for (const EdgeCase& c : EDGES) {
    SCOPED_TRACE(c.name);
    probe.pressed.clear();
    probe.down.clear();
    const auto [x, y] = ok.At(c);
    Press(x, y);
    Frame();
    Frame();
    InjectMouseButton(MOUSE_LEFT, false);
    Frame();
    EXPECT_EQ(probe.pressed.size(), c.inside ? 1u : 0u) << "fires once for the click";
    EXPECT_EQ(probe.down.size(), c.inside ? 2u : 0u) << "in every frame it is held down over it";
  }
}

TEST_F(Requesters, ImageButtonEdgesAreOutsideAndOnePixelInFiresOnEverySide) {
  // Centred on (200, 200): 61 pixels to each side, 30 up and down.
  const Rect button{139, 170, 261, 230};
  for (const EdgeCase& c : EDGES) {
    SCOPED_TRACE(c.name);
    const auto [x, y] = button.At(c);
    InjectMouseMove(x, y);
    InjectMouseButton(MOUSE_LEFT, true);
    bool fired = false;
    for (int frame = 0; frame < 3; ++frame) {
      if (frame == 2) InjectMouseButton(MOUSE_LEFT, false);
      PollInput();
      Cls();
      fired |= ImageButton("Ok", 200, 200);
    }
    EXPECT_EQ(fired, c.inside);
  }
}

TEST_F(Requesters, PressStartedElsewhereOnlyShowsThePressedLook) {
  Press(10, 10);
  Frame();
  InjectMouseMove(62 + 350, 25 + 330);
  Frame();
  EXPECT_TRUE(probe.pressed.empty());
  EXPECT_EQ(probe.down.size(), 1u);
}

// The pixels of a screen rectangle, row by row.
std::vector<uint32_t> Pixels(int x, int y, int w, int h) {
  const PixmapPtr pm = GrabPixmap(x, y, w, h);
  std::vector<uint32_t> out;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.push_back(pm->ReadPixel(i, j) & 0xFFFFFF);
  return out;
}

TEST_F(Requesters, AFadingRequesterDrawsNoHighlightUnderThePointer) {
  auto okWithPointerAt = [&](int x, int y) {
    InjectMouseMove(x, y);
    Frame();
    return Pixels(62 + 312, 25 + 317, 96, 37);
  };
  // Fully shown, the button lights up under the pointer...
  EXPECT_NE(okWithPointerAt(62 + 350, 25 + 330), okWithPointerAt(10, 10));
  // ...while fading it stays as it is.
  probe.Alpha = 0.99f;
  EXPECT_EQ(okWithPointerAt(62 + 350, 25 + 330), okWithPointerAt(10, 10));
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

TEST_F(Requesters, ADisabledImageButtonIsDrawnAtHalfAlpha) {
  InjectMouseMove(10, 10);
  PollInput();
  SetClsColor(0, 0, 0);
  Cls();
  ImageButton("Ok", 200, 200, false);
  const std::vector<uint32_t> enabled = Pixels(140, 171, 121, 59);
  Cls();
  ImageButton("Ok", 200, 200, true);
  const std::vector<uint32_t> disabled = Pixels(140, 171, 121, 59);
  // Face and caption at half their alpha over black: half as bright (the caption over
  // the face blends twice, so pixel by pixel it comes out a little lighter).
  double sumEnabled = 0, sumDisabled = 0;
  for (size_t i = 0; i < enabled.size(); ++i)
    for (int shift : {0, 8, 16}) {
      sumEnabled += double(enabled[i] >> shift & 255);
      sumDisabled += double(disabled[i] >> shift & 255);
    }
  ASSERT_GT(sumEnabled, 121 * 59 * 3 * 40.0) << "the face and the caption were drawn";
  EXPECT_NEAR(sumDisabled / sumEnabled, 0.5, 0.03);
}

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
