// Bitmap fonts: measuring and drawing with a small synthetic font whose glyphs are solid
// blocks (so positions can be read off the frame), and loading the shipped fonts.
#include "media/resource_store.h"
#include "present/bitmap_font.h"
#include "support/headless.h"

#include <deque>

namespace {

constexpr int CELL = 8;
constexpr int W_A = 5, W_B = 6, W_C = 7, W_255 = 4;

std::string Int(int32_t v) {
  const auto u = uint32_t(v);
  return {char(u), char(u >> 8), char(u >> 16), char(u >> 24)};
}

int WidthOf(int code) {
  switch (code) {
    case 'A': return W_A;
    case 'B': return W_B;
    case 'C': return W_C;
    case 255: return W_255;
    default: return code == 31 ? 0 : 3;
  }
}

class FontTest : public HeadlessTest {
protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    static std::deque<std::string> keep;  // resource bytes must outlive the test
    std::string fnt = "made by the test\r\n" + Int(CELL) + Int(CELL) + Int(224);
    for (int c = 31; c <= 255; ++c) fnt += Int(WidthOf(c)) + Int(CELL);
    keep.push_back(fnt);
    RegisterResource("../test/block.fnt", reinterpret_cast<const uint8_t*>(keep.back().data()), keep.back().size());
    // Each glyph is a white block as wide as its advance; unfiltered, for sharp edges.
    AutoImageFlags(IMG_MASKED);
    MakeImage("block_strip.png", 224 * CELL, CELL,
              [](int x, int) { return x % CELL < WidthOf(31 + x / CELL) ? 0xFFFFFFFFu : 0u; });
    font.LoadFnt("incbin::../test/block.fnt");
    font.LoadBitmap("incbin::../test/block_strip.png");
    ASSERT_TRUE(font.FontImage);
    SetBlend(BLEND_ALPHA);
    Cls();
  }

  // The first and last white column of row y in [x0, x1), or (−1, −1).
  static std::pair<int, int> WhiteSpan(int y, int x0 = 0, int x1 = 640) {
    const PixmapPtr row = GrabPixmap(0, y, 640, 1);
    int first = -1, last = -1;
    for (int x = x0; x < x1; ++x)
      if (Rgb(row->ReadPixel(x, 0)) == 0xFFFFFF) {
        if (first < 0) first = x;
        last = x;
      }
    return {first, last};
  }
  static std::pair<int, int> WhiteRows(int x) {
    const PixmapPtr column = GrabPixmap(x, 0, 1, 480);
    int first = -1, last = -1;
    for (int y = 0; y < 480; ++y)
      if (Rgb(column->ReadPixel(0, y)) == 0xFFFFFF) {
        if (first < 0) first = y;
        last = y;
      }
    return {first, last};
  }

  TBitmapFont font;
};

}  // namespace

TEST_F(FontTest, EmptyTextMeasuresOneAndDrawsNothing) {
  EXPECT_EQ(font.GetWidth(""), 0);
  EXPECT_EQ(font.GetHeight(""), 1);
  font.Draw("", 100, 100, false);
  EXPECT_EQ(WhiteSpan(100), std::make_pair(-1, -1));
}

TEST_F(FontTest, LinesSplitAtLineFeeds) {
  EXPECT_EQ(font.GetWidth("AB\nC"), W_A + W_B);
  EXPECT_EQ(font.GetWidth("C\nAB\tA"), W_A + W_B + W_A);  // the tab is skipped
  EXPECT_EQ(font.GetHeight("AB\nC"), 2 * (CELL + 1));
  EXPECT_EQ(font.GetHeight("A\n"), 2 * (CELL + 1));  // the empty last line counts
  font.Draw("AB\nC\n", 100, 100, false);
  EXPECT_EQ(WhiteSpan(100), std::make_pair(100, 100 + W_A + W_B - 1));
  EXPECT_EQ(WhiteSpan(110), std::make_pair(100, 100 + W_C - 1));  // line step 8 × 1.25
  EXPECT_EQ(WhiteRows(100 + W_C), std::make_pair(100, 107));      // only B's column
}

TEST_F(FontTest, ShortenedTextsEndInTwoDotsWithinTheirWidth) {
  constexpr int DOTS = 2 * 3;  // '.' is 3 wide
  EXPECT_EQ(font.Shortened("ABC", W_A + W_B + W_C), "ABC");  // fits exactly
  EXPECT_EQ(font.Shortened("ABC", W_A + W_B + DOTS), "AB..");
  EXPECT_EQ(font.Shortened("ABC", W_A + W_B + DOTS - 1), "A..");
  EXPECT_EQ(font.Shortened("A BC", W_A + 3 + W_B + DOTS - 1), "A..");  // no blank before the dots
  EXPECT_EQ(font.Shortened("ABC", 1), "..");
  EXPECT_EQ(font.Shortened("", -5), "");
}

TEST_F(FontTest, Code255IsOnlyMeasuredWhenCentring) {
  EXPECT_EQ(font.GetWidth("A\xff"), W_A);
  font.Draw("A\xff", 200, 100, true);
  // Centring counts 255's width: (5 + 4) div 2 = 4, so A starts at 196, one pixel left
  // of where "A" alone would (5 div 2 = 2).
  EXPECT_EQ(WhiteSpan(100), std::make_pair(196, 196 + W_A - 1));
  font.Draw("A", 200, 150, true);
  EXPECT_EQ(WhiteSpan(150), std::make_pair(198, 198 + W_A - 1));
}

TEST_F(FontTest, ScaleWidensGlyphsButNotTheLineStep) {
  SetScale(2, 2);
  font.Draw("AB\nC", 100, 100, false);
  SetScale(1, 1);
  EXPECT_EQ(WhiteSpan(101, 100, 140), std::make_pair(100, 100 + 2 * (W_A + W_B) - 1));
  // C's line starts 10 pixels down, not 20, and is 16 high.
  EXPECT_EQ(WhiteRows(100 + 2 * W_A + 2), std::make_pair(100, 125));
}

TEST_F(FontTest, CentredLinesShiftByHalfTheirHeightCumulatively) {
  font.Draw("A\nA", 200, 200, true);
  // First line top at 200 − 4; the second at 196 + 10 − 4.
  EXPECT_EQ(WhiteRows(199), std::make_pair(196, 202 + CELL - 1));
  EXPECT_EQ(WhiteSpan(203), std::make_pair(198, 202));
  EXPECT_EQ(WhiteSpan(195), std::make_pair(-1, -1));
}

TEST_F(FontTest, MissingFilesLeaveTheFontUsable) {
  TBitmapFont empty;
  empty.LoadFnt("incbin::../test/none.fnt");
  empty.LoadBitmap("incbin::../test/none.png");
  EXPECT_FALSE(empty.FontImage);
  EXPECT_EQ(empty.GetWidth("AB"), 0);
  EXPECT_EQ(empty.GetHeight("A\nB\nC"), 3);
  empty.Draw("AB", 10, 10, true);
  // A descriptor cut short reads zeros for the rest.
  static const std::string cut = "x\n" + Int(8) + Int(8);
  RegisterResource("../test/cut.fnt", reinterpret_cast<const uint8_t*>(cut.data()), cut.size());
  TBitmapFont partial;
  partial.LoadFnt("incbin::../test/cut.fnt");
  EXPECT_EQ(partial.FrameWidth, 8);
  EXPECT_EQ(partial.Frames, 0);
  partial.LoadBitmap("incbin::../test/block_strip.png");
  EXPECT_FALSE(partial.FontImage);
}

TEST_F(FontTest, ShippedFontsLoadWithTheirMetrics) {
  RegisterEmbeddedResources();
  InitFonts();
  for (const auto& [shipped, height, space] : {std::tuple(FontHeadline, 65, 15), std::tuple(FontHeadlineHover, 65, 15),
                                            std::tuple(FontMain, 33, 7), std::tuple(FontMainHover, 33, 7)}) {
    ASSERT_TRUE(shipped && shipped->FontImage);
    EXPECT_EQ(shipped->FontImage->FrameCount(), 224);
    EXPECT_EQ(shipped->GetHeight("Quorvale"), height);
    EXPECT_EQ(shipped->GetWidth(" "), space);
  }
  EXPECT_EQ(FontMain->GetHeight("a\nb\nc"), 99);
  EXPECT_FALSE(AutoMidHandleEnabled());
}

// Sizes from a descriptor are kept within what a glyph strip can hold, so measuring a
// long text cannot overflow.
TEST(FontDescriptor, HugeSizesAreBroughtIntoRange) {
  static std::string fnt;
  fnt = "hostile\n" + Int(0x7fffffff) + Int(-5) + Int(100000);
  for (int c = 31; c <= 255; ++c) fnt += Int(0x7fffffff) + Int(c % 2 ? -1 : 0x40000000);
  RegisterResource("../test/hostile.fnt", reinterpret_cast<const uint8_t*>(fnt.data()), fnt.size());
  TBitmapFont font;
  font.LoadFnt("incbin::../test/hostile.fnt");
  EXPECT_EQ(font.FrameWidth, 1024);
  EXPECT_EQ(font.FrameHeight, 0);
  EXPECT_EQ(font.Frames, 225);
  EXPECT_EQ(font.CharW['A' - 31], 1024);
  EXPECT_EQ(font.CharH['A' - 31], 0);
  EXPECT_EQ(font.CharH['B' - 31], 1024);
  EXPECT_EQ(font.GetWidth(std::string(5000, 'A')), 5000 * 1024);
  EXPECT_EQ(font.GetHeight("B\nA"), 2 * 1024 + 2);
}
