#include "support/headless.h"

#include "media/input.h"
#include "media/platform.h"
#include "media/resource_store.h"

#include <deque>

namespace {

// Keeps registered test pictures alive for the whole test program.
std::deque<std::vector<uint8_t>>& Blobs() {
  static std::deque<std::vector<uint8_t>> blobs;
  return blobs;
}

}  // namespace

void HeadlessTest::SetUp() {
  SetBackend(Backend::Headless);
  ASSERT_TRUE(Graphics(640, 480));
  ResetDrawState();
  ResetInput();
  AutoImageFlags(3);
  AutoMidHandle(false);
  SetMaskColor(0, 0, 0);
  SetFrameDriver(nullptr);
}

void HeadlessTest::TearDown() {
  SetFrameDriver(nullptr);
  EndGraphics();
}

ImagePtr HeadlessTest::MakeImage(const std::string& name, int w, int h,
                                 const std::function<uint32_t(int, int)>& argb, int flags) {
  TPixmap pm(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) pm.WritePixel(x, y, argb(x, y));
  Blobs().push_back(EncodePixmapPNG(pm));
  const std::string resource = "../test/" + name;
  RegisterResource(resource, Blobs().back().data(), Blobs().back().size());
  return LoadImage("incbin::" + resource, flags);
}

uint32_t HeadlessTest::PixelAt(int x, int y) { return GrabPixmap(x, y, 1, 1)->ReadPixel(0, 0); }
