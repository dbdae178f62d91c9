// Ambient effects and sprites, frame by frame: particles, the butterfly's scare guard and
// landing, rain and snow restarting, the pointer's hover animation, and the draw state
// every effect leaves behind.
#include "media/input.h"
#include "media/random.h"
#include "media/resource_store.h"
#include "present/ambient.h"
#include "present/particles.h"
#include "present/pointer.h"
#include "support/headless.h"

namespace {

class EffectsTest : public HeadlessTest {
protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    RegisterEmbeddedResources();
    SeedRnd(1234);
    SetBlend(BLEND_ALPHA);
  }

  static void ExpectCleanDrawState() {
    const DrawState& s = CurrentDrawState();
    EXPECT_EQ(s.tform_rot, 0);
    EXPECT_EQ(s.tform_scale_x, 1);
    EXPECT_EQ(s.tform_scale_y, 1);
    EXPECT_EQ(s.color_alpha, 1);
    EXPECT_EQ(s.color_red + s.color_green + s.color_blue, 3 * 255);
    EXPECT_EQ(s.blend_mode, BLEND_ALPHA);
  }
};

// A roaming butterfly parked in mid-screen, away from the mouse.
ButterflyPtr ParkedButterfly() {
  auto b = std::make_shared<TButterfly>();
  b->random = true;
  b->x = 320;
  b->y = 240;
  b->steps = 0;
  b->dx = b->dy = 0;
  return b;
}

}  // namespace

TEST_F(EffectsTest, EmitterInitWithZeroMakesOneParticleThatWaitsThenFades) {
  InitParticles();
  ASSERT_TRUE(ParticleImage);
  PEmitter emitter;
  emitter.Init(0, 100, 100, 2);
  ASSERT_EQ(emitter.p.size(), 1u);
  const Particle start = emitter.p[0];
  for (int frame = 0; frame < 3; ++frame) emitter.Render();  // delay + 1 frames of waiting
  EXPECT_EQ(emitter.p[0].x, start.x);
  int frames = 0;
  while (!emitter.p.empty() && frames < 200) {
    emitter.Render();
    ++frames;
  }
  EXPECT_EQ(frames, int(start.alpha / 0.01f) + 1);
  SetBlend(BLEND_SHADE);
  SetScale(3, 3);
  emitter.Init(5, 0, 0, 0);
  EXPECT_EQ(emitter.p.size(), 6u);
  emitter.Render();
  EXPECT_EQ(GetBlend(), BLEND_SHADE);  // the caller's blend and scale come back
  EXPECT_EQ(CurrentDrawState().tform_scale_x, 3);
}

TEST_F(EffectsTest, ScaredButterflyCanBeScaredAgainOnly30FramesLater) {
  const ButterflyPtr b = ParkedButterfly();
  InjectMouseMove(320, 240);
  b->Draw();
  EXPECT_EQ(b->verscheucht, 30);
  EXPECT_NEAR(b->steps, 20 - b->acc, 1e-4);
  // Kept under the mouse, it flies its leg on; the guard only counts down.
  for (int frame = 2; frame <= 30; ++frame) {
    b->x = 320;
    b->y = 240;
    b->Draw();
    EXPECT_EQ(b->verscheucht, 31 - frame);
  }
  b->x = 320;
  b->y = 240;
  b->Draw();
  EXPECT_EQ(b->verscheucht, 30);
  EXPECT_NEAR(b->steps, 20 - b->acc, 1e-4);
}

TEST_F(EffectsTest, LandedButterflyRests60FramesAndNeverLandsTwiceInARow) {
  const ButterflyPtr b = ParkedButterfly();
  InjectMouseMove(0, 0);
  b->stop = true;  // just landed
  b->acc = 0;
  for (int frame = 0; frame < 60; ++frame) {
    b->Draw();
    ASSERT_LE(b->steps, 0) << frame;
  }
  EXPECT_EQ(b->steps, -60);
  b->Draw();
  EXPECT_GE(b->steps, 30);
  EXPECT_FALSE(b->stop);
}

TEST_F(EffectsTest, RainDropsRestartAboveTheTop) {
  FX_Rain rain;
  for (size_t i = 0; i < FX_Rain::SLOTS; ++i) {
    rain.x[i] = i % 2 ? 635.0f : 100.0f;  // leaving right, or leaving at the bottom
    rain.y[i] = i % 2 ? 100.0f : 475.0f;
  }
  rain.Render();
  for (size_t i = 0; i < FX_Rain::SLOTS; ++i) {
    EXPECT_EQ(rain.y[i], -25) << i;
    EXPECT_GE(rain.x[i], -639) << i;
    EXPECT_LE(rain.x[i], 639) << i;
  }
  ExpectCleanDrawState();
}

TEST_F(EffectsTest, SnowflakesFallAgainKeepingSizeAndBrightness) {
  FX_Snow snow;
  snow.y[0] = 501;
  const float scale = snow.scale[0], alpha = snow.alpha[0];
  snow.y[1] = 100;
  const float x1 = snow.x[1] + snow.sx[1], y1 = 100 + snow.sy[1];
  snow.Render();
  EXPECT_EQ(snow.y[0], -20);
  EXPECT_EQ(snow.scale[0], scale);
  EXPECT_EQ(snow.alpha[0], alpha);
  EXPECT_EQ(snow.x[1], x1);
  EXPECT_EQ(snow.y[1], y1);
  ExpectCleanDrawState();
}

TEST_F(EffectsTest, EveryEffectLeavesACleanDrawState) {
  InitAmbient();
  for (int background = -1; background <= 6; ++background) {
    for (int frame = 0; frame < 5; ++frame) RenderAmbient(background);
    ExpectCleanDrawState();
  }
}

TEST_F(EffectsTest, PointerAnimatesOnlyWhileHovering) {
  InitPointer();
  ASSERT_TRUE(MousePointer->Image);
  InjectMouseMove(100, 50);
  MousePointer->Draw();
  EXPECT_EQ(MousePointer->Frame, 0);
  MousePointer->SetHover(true);
  for (int i = 0; i < 31; ++i) MousePointer->Draw();
  EXPECT_EQ(MousePointer->Frame, 0.5f);  // 15.5 wraps past 15
  MousePointer->Display = false;
  MousePointer->Draw();
  EXPECT_EQ(MousePointer->Frame, 0.5f);
}
