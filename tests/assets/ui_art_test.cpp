// The menu and requester artwork's contracts with the drawing code: strip frames that
// change only where the game cuts them out, list and thumb looks that may be cut at any
// height, panels solid where texts go, animations that turn without changing outline.
#include "media/image.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

PixmapPtr Load(const std::string& name) {
  std::ifstream in(std::string(QV_RES_DIR) + "/" + name, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return DecodeImage(bytes);
}

int Alpha(const PixmapPtr& p, int x, int y) { return int(ReadPixel(p, x, y) >> 24); }

// The pixel as seen: every fully transparent pixel looks the same whatever its colour.
uint32_t Seen(const PixmapPtr& p, int x, int y) {
  const uint32_t v = ReadPixel(p, x, y);
  return v >> 24 ? v : 0;
}

struct Box {
  int x, y, w, h;
  bool Contains(int px, int py) const { return px >= x && px < x + w && py >= y && py < y + h; }
};

struct Strip {
  const char* file;
  int frameWidth, height;
  std::vector<Box> lit;  // rectangles the game draws from frames 1 and 2
};

const std::vector<Strip>& RequesterStrips() {
  static const std::vector<Strip> strips = {
      {"gfx/users_requester.png", 516, 431,
       {{109, 84, 179, 240}, {292, 84, 20, 20}, {292, 304, 20, 20}, {292, 104, 20, 200},
        {312, 84, 96, 37}, {312, 121, 96, 37}, {312, 158, 96, 37}, {312, 317, 96, 37}}},
      {"gfx/levelselector_requester.png", 428, 315,
       {{18, 49, 218, 238}, {238, 47, 23, 22}, {238, 267, 23, 23}, {238, 70, 23, 197}}},
  };
  return strips;
}

// Every pixel row of the box equals its first row in the given frame.
void ExpectSameAtEveryHeight(const PixmapPtr& p, int frameX, const Box& b) {
  for (int y = b.y + 1; y < b.y + b.h; ++y)
    for (int x = b.x; x < b.x + b.w; ++x)
      ASSERT_EQ(Seen(p, frameX + x, y), Seen(p, frameX + x, b.y))
          << "x " << x << " y " << y << " frame at " << frameX;
}

}  // namespace

TEST(UiArt, StripFramesDifferFromTheRestFrameOnlyInsideTheCutRectangles) {
  for (const Strip& s : RequesterStrips()) {
    SCOPED_TRACE(s.file);
    const PixmapPtr p = Load(s.file);
    ASSERT_TRUE(p);
    ASSERT_EQ(PixmapWidth(p), 3 * s.frameWidth);
    for (int frame = 1; frame < 3; ++frame) {
      std::vector<int> changed(s.lit.size(), 0);
      for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.frameWidth; ++x) {
          const bool same = Seen(p, x, y) == Seen(p, frame * s.frameWidth + x, y);
          bool inside = false;
          for (size_t i = 0; i < s.lit.size(); ++i)
            if (s.lit[i].Contains(x, y)) {
              inside = true;
              changed[i] += !same;
            }
          if (!inside) {
            ASSERT_TRUE(same) << "frame " << frame << " at " << x << "," << y;
          }
        }
      for (size_t i = 0; i < s.lit.size(); ++i)
        EXPECT_GT(changed[i], s.lit[i].w * s.lit[i].h / 4) << "lit part " << i << " frame " << frame;
    }
  }
}

// Rows and thumbs are cut out at any height; the requesters' rows are lit copies of the
// list behind them, so there only the (opaque) thumbs must not change along the track.
TEST(UiArt, ListRowsAndThumbsLookTheSameWhereverTheyAreCut) {
  const PixmapPtr users = Load("gfx/users_requester.png");
  const PixmapPtr chooser = Load("gfx/levelselector_requester.png");
  const PixmapPtr list = Load("gfx/levelselector_scr_list.png");
  ASSERT_TRUE(users && chooser && list);
  for (int frame = 1; frame < 3; ++frame) {
    ExpectSameAtEveryHeight(users, frame * 516, {292, 104, 20, 200});
    ExpectSameAtEveryHeight(chooser, frame * 428, {238, 70, 23, 197});
  }
  for (int frame = 0; frame < 2; ++frame) {
    ExpectSameAtEveryHeight(list, frame * 217, {0, 0, 191, 240});
    ExpectSameAtEveryHeight(list, frame * 217, {197, 20, 20, 200});
  }
}

TEST(UiArt, LevelListLooksAreClearOutsideTheirLitParts) {
  const PixmapPtr list = Load("gfx/levelselector_scr_list.png");
  ASSERT_TRUE(list);
  ASSERT_EQ(PixmapWidth(list), 434);
  for (int frame = 0; frame < 2; ++frame) {
    for (int y = 0; y < 240; ++y)
      for (int x = 191; x < 197; ++x) ASSERT_EQ(Alpha(list, frame * 217 + x, y), 0) << x << "," << y;
    for (int y = 20; y < 220; ++y) EXPECT_EQ(Alpha(list, frame * 217 + 207, y), 255) << "thumb at " << y;
    EXPECT_EQ(Alpha(list, frame * 217 + 207, 10), 255) << "up arrow";
    EXPECT_EQ(Alpha(list, frame * 217 + 207, 230), 255) << "down arrow";
  }
}

TEST(UiArt, PanelsAreSolidWhereTextsAndButtonsGo) {
  const PixmapPtr yesno = Load("gfx/yesno_requester.png");
  const PixmapPtr field = Load("gfx/name_requester.png");
  const PixmapPtr users = Load("gfx/users_requester.png");
  ASSERT_TRUE(yesno && field && users);
  for (int y = 14; y < 266; ++y)
    for (int x = 14; x < 444; ++x) ASSERT_EQ(Alpha(yesno, x, y), 255) << x << "," << y;
  for (int y = 3; y < 28; ++y)
    for (int x = 3; x < 344; ++x) ASSERT_EQ(Alpha(field, x, y), 255) << x << "," << y;
  for (int y = 14; y < 418; ++y)
    for (int x = 14; x < 500; ++x) ASSERT_EQ(Alpha(users, x, y), 255) << x << "," << y;
}

TEST(UiArt, DefaultButtonFaceIsUnderTheCaptionInEveryFrame) {
  const PixmapPtr b = Load("gfx/default_button.png");
  ASSERT_TRUE(b);
  for (int frame = 0; frame < 3; ++frame) {
    // The caption is centred 5 pixels up and left of the frame's centre (61, 30).
    for (int y = 14; y < 40; ++y)
      for (int x = 16; x < 98; ++x) ASSERT_EQ(Alpha(b, frame * 122 + x, y), 255) << frame;
    EXPECT_EQ(Alpha(b, frame * 122, 0), 0);
  }
}

TEST(UiArt, TurningPartsKeepTheirOutlineAndChangeEveryFrame) {
  struct Anim {
    const char* file;
    int frameWidth, frames, height;
  };
  for (const Anim& a : {Anim{"gfx/Dharma.png", 112, 16, 97}, Anim{"gfx/rolle/left.png", 110, 32, 80},
                        Anim{"gfx/rolle/right.png", 97, 32, 80}}) {
    SCOPED_TRACE(a.file);
    const PixmapPtr p = Load(a.file);
    ASSERT_TRUE(p);
    ASSERT_EQ(PixmapWidth(p), a.frameWidth * a.frames);
    for (int f = 1; f < a.frames; ++f) {
      int differing = 0;
      for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.frameWidth; ++x) {
          ASSERT_EQ(Alpha(p, x, y), Alpha(p, f * a.frameWidth + x, y)) << "frame " << f;
          differing += Seen(p, (f - 1) * a.frameWidth + x, y) != Seen(p, f * a.frameWidth + x, y);
        }
      EXPECT_GT(differing, 100) << "frame " << f << " looks like the one before";
    }
  }
}

TEST(UiArt, ScrollKnobCollarsHoldTheRolledBar) {
  // The bar (51 high) is drawn at y 28 and the knobs (80 high) at y 15, so the bar fills
  // rows 13..63 of a knob; the collar next to the bar must cover them.
  const PixmapPtr left = Load("gfx/rolle/left.png");
  const PixmapPtr right = Load("gfx/rolle/right.png");
  const PixmapPtr bar = Load("gfx/rolle/mid.png");
  ASSERT_TRUE(left && right && bar);
  for (int y = 13; y <= 63; ++y) {
    EXPECT_EQ(Alpha(left, 107, y), 255) << y;
    EXPECT_EQ(Alpha(right, 2, y), 255) << y;
  }
  EXPECT_EQ(Alpha(bar, 164, 1), 255);
  EXPECT_EQ(Alpha(bar, 164, 49), 255);
}

TEST(UiArt, ThumbEdgeLinesAreSolid) {
  const PixmapPtr edges = Load("gfx/ziehbalken.png");
  ASSERT_TRUE(edges);
  ASSERT_EQ(PixmapWidth(edges), 20);
  ASSERT_EQ(PixmapHeight(edges), 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 20; ++x) EXPECT_EQ(Alpha(edges, x, y), 255);
}
