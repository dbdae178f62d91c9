// The sound bank and the song: one channel per effect, volumes from the current player,
// songs stepped by rank, and effects that failed to load being harmless. Short silent
// WAV clips stand in for the effects (the mixer reads either format).
#include "media/debug.h"
#include "media/resource_store.h"
#include "players/users.h"
#include "present/sound.h"

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>

namespace {

std::string Le(uint32_t v, int bytes) {
  std::string s;
  for (int i = 0; i < bytes; ++i) s.push_back(char(v >> (8 * i)));
  return s;
}

// One second of 16-bit mono silence.
std::string SilentWav() {
  const uint32_t rate = 22050, data = rate * 2;
  return "RIFF" + Le(36 + data, 4) + "WAVEfmt " + Le(16, 4) + Le(1, 2) + Le(1, 2) + Le(rate, 4) + Le(rate * 2, 4) +
         Le(2, 2) + Le(16, 2) + "data" + Le(data, 4) + std::string(data, '\0');
}

void RegisterClip(const std::string& name) {
  static const std::string wav = SilentWav();
  RegisterResource(name, reinterpret_cast<const uint8_t*>(wav.data()), wav.size());
}

class SoundTest : public ::testing::Test {
protected:
  void SetUp() override {
    ClearResources();
    Users = std::make_shared<TUsers>();
    CurrentUserIndex = 0;
    Users->AddUser("Ann", 60, 40, 0, 0, 0, 0, true, true, true, true, "", 0, false);
  }
  static TUser& Ann() { return *Users->UserList[0]; }
};

}  // namespace

TEST_F(SoundTest, EffectRestartsOnItsOwnChannelAtThePlayersVolume) {
  for (const char* name : {"puzzpick", "click", "rainloop"}) RegisterClip(std::string("../sfx/") + name + ".ogg");
  SFXSystem bank;
  ASSERT_TRUE(bank.sfx[SFX_PUZZPICK] && bank.sfx[SFX_CLICK] && bank.sfx[SFX_RAINLOOP]);
  EXPECT_TRUE(bank.sfx[SFX_RAINLOOP]->loop);
  EXPECT_FALSE(bank.sfx[SFX_PUZZPICK]->loop);

  const ChannelPtr channel = bank.sfxchannels[SFX_PUZZPICK];
  bank.Play(SFX_PUZZPICK);
  bank.Play(SFX_PUZZPICK);
  EXPECT_EQ(bank.sfxchannels[SFX_PUZZPICK], channel);
  EXPECT_TRUE(channel->Playing());
  EXPECT_FLOAT_EQ(channel->Volume(), 0.4f);
  for (int i = 0; i < SFXSystem::SOUND_ANZ; ++i) {
    if (i == SFX_PUZZPICK) continue;
    EXPECT_FALSE(bank.sfxchannels[size_t(i)]->Playing()) << i;
  }

  Ann().SFXVolume = 100;
  bank.Play(SFX_CLICK);  // a new volume applies from the next effect played
  EXPECT_FLOAT_EQ(bank.sfxchannels[SFX_CLICK]->Volume(), 1.0f);
  EXPECT_FLOAT_EQ(channel->Volume(), 0.4f);
  bank.Play(SFX_RAINLOOP);
  bank.Stop(SFX_RAINLOOP);
  EXPECT_FALSE(bank.sfxchannels[SFX_RAINLOOP]->Playing());
}

TEST_F(SoundTest, MissingEffectsAreHarmless) {
  SFXSystem bank;  // nothing registered: every load fails
  std::vector<std::string> log;
  auto old = SetDebugLogHook([&](const std::string& line) { log.push_back(line); });
  for (int i = -1; i <= SFXSystem::SOUND_ANZ; ++i) {
    bank.Play(i);
    bank.Stop(i);
  }
  SetDebugLogHook(old);
  EXPECT_EQ(log.size(), size_t(SFXSystem::SOUND_ANZ + 2));
  EXPECT_EQ(log[16], "Stopchannel 15");
}

TEST_F(SoundTest, NextSongStepsWithinTheRank) {
  for (const char* name : {"song1", "song2", "song3"}) RegisterClip(std::string("../sfx/") + name + ".ogg");
  MusicChannel = AllocChannel();
  const ChannelPtr before = MusicChannel;

  NextSong(Ann());  // rank 0 keeps song 1
  EXPECT_EQ(Ann().Selected_Music, 0);
  EXPECT_NE(MusicChannel, before);
  ASSERT_TRUE(Music);
  EXPECT_TRUE(Music->loop);
  EXPECT_TRUE(MusicChannel->Playing());
  EXPECT_FLOAT_EQ(MusicChannel->Volume(), 0.6f);

  Ann().Score = 50000;  // rank 1: songs 1 and 2
  NextSong(Ann());
  EXPECT_EQ(Ann().Selected_Music, 1);
  EXPECT_EQ(Ann().CurrentRank, 1);
  NextSong(Ann());
  EXPECT_EQ(Ann().Selected_Music, 0);

  Ann().Score = 160000;  // rank 3 at song 3 wraps to song 1
  Ann().Selected_Music = 2;
  NextSong(Ann());
  EXPECT_EQ(Ann().Selected_Music, 0);
  NextSong(Ann());
  EXPECT_EQ(Ann().Selected_Music, 1);

  ClearResources();  // a song that fails to load leaves silence, nothing worse
  NextSong(Ann());
  EXPECT_FALSE(Music);
  EXPECT_FALSE(MusicChannel->Playing());
  MusicChannel.reset();
}

TEST_F(SoundTest, ShippedBankLoadsEveryEffectAndSong) {
  RegisterEmbeddedResources();
  SFXSystem bank;
  for (int i = 0; i < SFXSystem::SOUND_ANZ; ++i) {
    ASSERT_TRUE(bank.sfx[size_t(i)]) << i;
    EXPECT_EQ(bank.sfx[size_t(i)]->loop, i == SFX_RAINLOOP || i == SFX_WINDLOOP) << i;
  }
  for (int song = 0; song < 3; ++song) {
    Ann().Selected_Music = song - 1;
    Ann().Score = 1 << 20;
    NextSong(Ann());
    EXPECT_EQ(Ann().Selected_Music, song);
    EXPECT_TRUE(Music) << song;
  }
  MusicChannel.reset();
}

TEST_F(SoundTest, OneSongPlaysOnTheMusicVoiceAndOnlyItsChannelControlsIt) {
  for (const char* name : {"song1", "song2"}) RegisterClip(std::string("../sfx/") + name + ".ogg");
  const SoundPtr first = LoadSong("incbin::../sfx/song1.ogg");
  const SoundPtr second = LoadSong("incbin::../sfx/song2.ogg");
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->Chunk(), nullptr);  // streamed, not decoded whole
  EXPECT_NEAR(first->Seconds(), 1.0, 0.05);

  ChannelPtr old = AllocChannel();  // an effect channel asked to play a song hands over
  old->SetVolume(0.3f);
  const ChannelPtr a = PlaySound(first, old);
  EXPECT_EQ(a->Index(), TChannel::MUSIC);
  EXPECT_FLOAT_EQ(a->Volume(), 0.3f);
  EXPECT_TRUE(a->Playing());

  const ChannelPtr b = PlaySound(second, AllocMusicChannel());
  EXPECT_TRUE(b->Playing());
  EXPECT_FALSE(a->Playing());
  a->Stop();  // a channel that lost the voice leaves the song alone
  EXPECT_TRUE(b->Playing());
  old.reset();
  EXPECT_TRUE(b->Playing());
  b->Stop();
  EXPECT_FALSE(b->Playing());
}

TEST_F(SoundTest, SongFromAFileStreamsFromItsOwnCopy) {
  const auto path = std::filesystem::temp_directory_path() / "qv_sound_test_song.wav";
  {
    static const std::string wav = SilentWav();
    std::ofstream(path, std::ios::binary) << wav;
  }
  ChannelPtr channel = AllocMusicChannel();
  {
    const SoundPtr song = LoadSong(path.string());
    std::filesystem::remove(path);
    ASSERT_TRUE(song);
    channel = PlaySound(song, channel);
    EXPECT_TRUE(channel->Playing());
  }
  EXPECT_FALSE(channel->Playing());  // freeing the song stops it
  EXPECT_FALSE(LoadSong(path.string()));
}

TEST_F(SoundTest, EffectsDecodedInTheBackgroundAreReadyAtFirstUse) {
  RegisterClip("../sfx/click.ogg");
  const std::vector<SoundPtr> sounds =
      LoadSoundsInBackground({"incbin::../sfx/click.ogg", "incbin::../sfx/none.ogg"}, {SOUND_LOOP, 0});
  ASSERT_EQ(sounds.size(), 2u);
  ASSERT_TRUE(sounds[0]);
  EXPECT_FALSE(sounds[1]);  // missing: known at once
  EXPECT_TRUE(sounds[0]->loop);
  EXPECT_NEAR(sounds[0]->Seconds(), 1.0, 0.05);
  const ChannelPtr channel = PlaySound(sounds[0]);
  EXPECT_TRUE(channel->Playing());
}

// The program opens the device on a worker thread while its window opens: the first sound
// call waits for it, and closing the audio before anyone asked still closes the device.
TEST_F(SoundTest, ADeviceOpenedInTheBackgroundServesTheFirstSoundAndCloses) {
  CloseAudio();
  OpenAudioInBackground();
  OpenAudioInBackground();  // once is enough
  CloseAudio();
  RegisterClip("../sfx/click.ogg");
  for (int round = 0; round < 2; ++round) {
    OpenAudioInBackground();
    {
      SFXSystem bank;
      ASSERT_TRUE(bank.sfx[SFX_CLICK]) << round;
      bank.Play(SFX_CLICK);
      EXPECT_TRUE(bank.sfxchannels[SFX_CLICK]->Playing()) << round;
    }
    CloseAudio();
  }
}
