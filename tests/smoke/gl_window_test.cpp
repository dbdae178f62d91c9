// The game window as players use it, in the OpenGL back end under Xvfb, with input
// coming through the X server: at odd window sizes (wide, tall, fractional) and after the
// full-screen keys (F11, Alt+Enter), with and without a window manager, the frame fills
// the window letterboxed, and a click on the edge pixels of a button fires it while a
// click one pixel outside does not. Where the frame should be is worked out here from
// the window's size as the X server reports it, not asked of the game.
#include "app/shell.h"
#include "game/req_yes_no.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/platform.h"
#include "media/script.h"
#include "media/window.h"
#include "smoke/x_player.h"
#include "support/game_env.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

namespace {

const std::string TITLE = "Quorvale window test";
constexpr uint32_t FRAME_COLOUR = 0x285AA0;  // the cleared frame, so its edges show
constexpr int QUESTION_X = 130, QUESTION_Y = 120;
// The "Yeah" button takes clicks strictly inside 122×60 pixels around its centre.
constexpr int YEAH_X = QUESTION_X + 110, YEAH_Y = QUESTION_Y + 210;
constexpr int LEFT = YEAH_X - 61, RIGHT = YEAH_X + 61, TOP = YEAH_Y - 30, BOTTOM = YEAH_Y + 30;

struct FramePoint {
  int x, y;
};
struct Click {
  FramePoint at;
  bool fires;
};
// Each corner pixel of the button, and beside each a pixel just outside it.
const Click CORNER_CLICKS[] = {
    {{LEFT + 1, TOP + 1}, true},     {{LEFT, TOP + 1}, false},     {{RIGHT - 1, TOP + 1}, true},
    {{RIGHT - 1, TOP}, false},       {{LEFT + 1, BOTTOM - 1}, true}, {{LEFT + 1, BOTTOM}, false},
    {{RIGHT - 1, BOTTOM - 1}, true}, {{RIGHT, BOTTOM - 1}, false},
};

// The frame's place in a window of w × h pixels: the largest centred 4:3 rectangle.
ScreenRect Letterbox(const ScreenRect& window) {
  const double scale = std::min(window.w / 640.0, window.h / 480.0);
  const int w = int(640 * scale), h = int(480 * scale);
  return {window.x + (window.w - w) / 2, window.y + (window.h - h) / 2, w, h};
}

// The screen pixel that shows the frame pixel: the one under the frame pixel's centre.
FramePoint OnScreen(const ScreenRect& box, FramePoint p) {
  return {int(std::floor(box.x + (p.x + 0.5) * box.w / 640)), int(std::floor(box.y + (p.y + 0.5) * box.h / 480))};
}

class GlWindow : public GameTest {
protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (the test script runs it under Xvfb)";
    GameTest::SetUp();
    ASSERT_TRUE(x_.Connected());
    AppTitle(TITLE);
    SetBackend(Backend::Windowed);
    ASSERT_TRUE(Graphics(640, 480)) << "no OpenGL window";
    SetBlend(BLEND_ALPHA);
    HideMouse();
    question_ = std::make_shared<TReqYesNo>();
    question_->Line1 = "Window test";
    question_->Alpha = 1;
  }

  // The question box on a coloured frame, frame after frame, until the script stops.
  void Run(Script& s) {
    s.Install();
    try {
      for (;;) {
        PollInput();
        SetClsColor(FRAME_COLOUR >> 16, (FRAME_COLOUR >> 8) & 0xFF, FRAME_COLOUR & 0xFF);
        Cls();
        question_->Render(QUESTION_X, QUESTION_Y);
        Flip(-1);
      }
    } catch (const StopRun&) {
    }
  }

  ScreenRect Window() const {
    ScreenRect place;
    EXPECT_TRUE(x_.FindWindow(TITLE, place)) << "the window is not on the screen";
    return place;
  }

  // Waits until the X server shows the window at this size.
  void WaitForSize(Script& s, int w, int h, const std::string& what) {
    s.Until(
        [this, w, h] {
          ScreenRect place;
          return x_.FindWindow(TITLE, place) && place.w == w && place.h == h;
        },
        300, what);
    s.Wait(10);  // the game has seen the change and drawn a frame for it
  }

  // The screen shows the frame in its box and black bars around it.
  void CheckPicture(Script& s, const std::string& where) {
    s.Do([this, where] {
      SCOPED_TRACE(where);
      const ScreenRect window = Window(), box = Letterbox(window);
      const int midX = box.x + box.w / 2, midY = box.y + box.h / 2;
      for (const FramePoint p : {FramePoint{box.x + 1, midY}, FramePoint{box.x + box.w - 2, midY},
                                 FramePoint{midX, box.y + 1}, FramePoint{midX, box.y + box.h - 2}})
        EXPECT_EQ(x_.PixelAt(p.x, p.y), FRAME_COLOUR) << "frame edge at " << p.x << "," << p.y;
      if (box.x - window.x >= 3) {
        EXPECT_EQ(x_.PixelAt(box.x - 2, midY), 0u) << "left bar";
        EXPECT_EQ(x_.PixelAt(box.x + box.w + 1, midY), 0u) << "right bar";
      }
      if (box.y - window.y >= 3) {
        EXPECT_EQ(x_.PixelAt(midX, box.y - 2), 0u) << "top bar";
        EXPECT_EQ(x_.PixelAt(midX, box.y + box.h + 1), 0u) << "bottom bar";
      }
    });
  }

  // Clicks on and just beside the corners of "Yeah", each with the button down for a frame.
  void ClickCorners(Script& s, const std::string& where) {
    for (const Click& c : CORNER_CLICKS) {
      s.Do([this, c] {
        question_->ButtonPressStr.clear();
        const FramePoint p = OnScreen(Letterbox(Window()), c.at);
        x_.MoveTo(p.x, p.y);
      });
      s.Wait(3).Do([this, c, where] {
        EXPECT_EQ(MouseX(), c.at.x) << where;
        EXPECT_EQ(MouseY(), c.at.y) << where;
        x_.Button(true);
      });
      s.Wait(2).Do([this] { x_.Button(false); });
      s.Wait(3).Do([this, c, where] {
        EXPECT_EQ(question_->ButtonPressStr, c.fires ? "YES" : "")
            << where << ": click at frame pixel " << c.at.x << "," << c.at.y;
      });
    }
  }

  // Sizes the window and moves it fully onto the screen.
  void Resize(Script& s, int w, int h) {
    s.Do([w, h] { SetWindowSize(w, h); });
    WaitForSize(s, w, h, "the window at " + std::to_string(w) + "x" + std::to_string(h));
    s.Do([this] { x_.PlaceWindow(TITLE, 40, 40); });
    s.Until(
        [this] {
          ScreenRect place;
          return x_.FindWindow(TITLE, place) && place.x + place.w <= x_.ScreenWidth() &&
                 place.y + place.h <= x_.ScreenHeight();
        },
        300, "the window on the screen");
    s.Wait(5);
    CheckPicture(s, std::to_string(w) + "x" + std::to_string(h));
    ClickCorners(s, std::to_string(w) + "x" + std::to_string(h));
  }

  // F11 to full screen and Alt+Enter back, twice, then F11 and Alt+Enter the other way.
  void ToggleFullScreen(Script& s) {
    const int screenW = x_.ScreenWidth(), screenH = x_.ScreenHeight();
    auto press = [this](Script& script, bool alt) {
      script.Do([this, alt] {
        const ScreenRect w = Window();
        x_.MoveTo(w.x + w.w / 2, w.y + w.h / 2);  // the keys go where the pointer is
        if (alt) x_.Key("Alt_L", true);
        x_.Key(alt ? "Return" : "F11", true);
        x_.Key(alt ? "Return" : "F11", false);
        if (alt) x_.Key("Alt_L", false);
      });
    };
    s.Do([this] { windowed_ = Window(); });
    for (int round = 0; round < 2; ++round) {
      press(s, round == 1);
      WaitForSize(s, screenW, screenH, "full screen");
      s.Do([] { EXPECT_TRUE(IsFullscreen()); });
      CheckPicture(s, "full screen");
      ClickCorners(s, "full screen");
      press(s, round == 0);
      s.Until(
          [this] {
            ScreenRect place;
            return x_.FindWindow(TITLE, place) && place.w == windowed_.w && place.h == windowed_.h;
          },
          300, "the window back at its size");
      s.Wait(10).Do([] { EXPECT_FALSE(IsFullscreen()); });
      CheckPicture(s, "back in the window");
      ClickCorners(s, "back in the window");
    }
  }

  XPlayer x_;
  std::shared_ptr<TReqYesNo> question_;
  ScreenRect windowed_;  // the window before full screen
};

// The same with a window manager that runs before the window opens.
class GlWindowManaged : public GlWindow {
protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (the test script runs it under Xvfb)";
    manager_ = std::make_unique<WindowManager>();
    ASSERT_TRUE(manager_->Running()) << "openbox did not start (scripts/deps.sh installs it)";
    GlWindow::SetUp();
  }
  void TearDown() override {
    GlWindow::TearDown();
    manager_ = nullptr;
  }
  std::unique_ptr<WindowManager> manager_;
};

}  // namespace

TEST_F(GlWindow, ClicksLandWhereThePictureShowsAtOddSizes) {
  Script s;
  s.Wait(10);
  Resize(s, 1000, 500);  // wide
  Resize(s, 700, 900);   // tall
  Resize(s, 1111, 777);  // fractional both ways
  s.Stop();
  Run(s);
}

TEST_F(GlWindow, FullScreenTogglesKeepTheFrameLetterboxed) {
  Script s;
  s.Wait(10);
  Resize(s, 900, 600);
  ToggleFullScreen(s);
  s.Stop();
  Run(s);
}

TEST_F(GlWindowManaged, ClicksLandAtOddSizesAndAfterFullScreen) {
  Script s;
  s.Wait(10);
  Resize(s, 1000, 500);
  Resize(s, 700, 900);
  ToggleFullScreen(s);
  s.Stop();
  Run(s);
}
