#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "engine/dx_form.h"
#include "engine/dx_sound.h"
#include "engine/dx_wave_list.h"
#include "engine/engine_error.h"
#include "engine/riff_wave.h"
#include "platform/headless/headless_platform.h"
#include "platform/mixer.h"
#include "support/byte_builder.h"
#include "support/temp_dir.h"

namespace {

using engine::TWave;
using test_support::TBytes;

constexpr int kRate = platform::THeadlessPlatform::kAudioRate;

TBytes PcmFormat(int channels, int rate, int bits) {
  TBytes f;
  f.U16(1).U16(channels).U32(rate).U32(rate * channels * bits / 8);
  f.U16(channels * bits / 8).U16(bits);
  return f;
}

// A RIFF WAVE with the given chunks in order.
TBytes Riff(const std::vector<std::pair<std::string, std::vector<uint8_t>>>& chunks) {
  TBytes body;
  body.Raw("WAVE");
  for (const auto& [id, bytes] : chunks)
    body.Raw(id).U32(static_cast<uint32_t>(bytes.size())).Raw(bytes);
  TBytes riff;
  return riff.Raw("RIFF").U32(static_cast<uint32_t>(body.bytes.size())).Raw(body.bytes);
}

// 16-bit mono samples 1, 2, 3 ... at the mixer's rate: where playback is shows in the output.
// Frame i holds (i + 1) steps, so what is heard tells the position played.
constexpr int kRampStep = 10;

TWave Ramp(int frames) {
  std::vector<int16_t> samples(frames);
  for (int i = 0; i < frames; ++i) samples[i] = static_cast<int16_t>((i + 1) * kRampStep);
  return TWave::FromPcm16(kRate, 1, samples);
}

std::string WaveRefusal(const TBytes& riff) {
  try {
    TWave().LoadFromRiff(riff.bytes);
  } catch (const engine::EWaveStreamError& e) {
    return e.what();
  }
  return "accepted";
}

TEST(RiffWave, WalksChunksAsTheyStand) {
  const auto fmt = PcmFormat(1, 8000, 8).bytes;
  TWave wave;
  wave.LoadFromRiff(Riff({{"LIST", {1, 2, 3, 4}}, {"fmt ", fmt}, {"data", {9, 8, 7}}}).bytes);
  EXPECT_EQ(wave.Format, fmt);
  EXPECT_EQ(wave.Data, (std::vector<uint8_t>{9, 8, 7}));
  EXPECT_EQ(wave.Pcm()->rate, 8000);
  // Odd sizes have no pad byte: the chunk after an odd one starts right behind it.
  wave.LoadFromRiff(Riff({{"fmt ", fmt}, {"junk", {1}}, {"data", {5}}}).bytes);
  EXPECT_EQ(wave.Data, (std::vector<uint8_t>{5}));
  // A wave as it was read is written back as it was.
  const auto stored = Riff({{"LIST", {1}}, {"fmt ", fmt}, {"data", {1, 2}}}).bytes;
  wave.LoadFromRiff(stored);
  EXPECT_EQ(wave.Riff(), stored);
}

TEST(RiffWave, RefusesWhatIsNotAWave) {
  EXPECT_EQ(WaveRefusal(TBytes().Raw("RIFX").U32(4).Raw("WAVE")), "Wave is invalid");
  EXPECT_EQ(WaveRefusal(TBytes().Raw("RIFF").U32(4).Raw("AVI ")), "Wave is invalid");
  EXPECT_EQ(WaveRefusal(TBytes().Raw("RIFF")), "Wave is invalid");
  EXPECT_EQ(WaveRefusal(TBytes().Raw("RIFF").U32(0).Raw("WAVEdata").U32(100).U8(1)),
            "Wave is invalid");
  EXPECT_EQ(WaveRefusal(TBytes().Raw("RIFF").U32(0).Raw("WAVEfmt ").U32(0xFFFFFFFF)),
            "Wave is invalid");
  // A chunk we do not read that runs past the end ends the walk; what was found stays.
  const auto good = Riff({{"fmt ", PcmFormat(1, 8000, 8).bytes}, {"data", {1, 2}}});
  TBytes trailing = good;
  trailing.Raw("LIST").U32(1000);
  EXPECT_EQ(WaveRefusal(trailing), "accepted");
  for (size_t length = 0; length < good.bytes.size(); ++length) {
    TBytes prefix;
    prefix.bytes.assign(good.bytes.begin(), good.bytes.begin() + length);
    const std::string result = WaveRefusal(prefix);
    EXPECT_TRUE(result == "Wave is invalid" || result == "accepted") << length;
  }
}

TEST(RiffWave, ConvertsEveryPcmLayoutToStereoAtTheMixerRate) {
  TWave mono8;
  mono8.Format = PcmFormat(1, kRate, 8).bytes;
  mono8.Data = {128, 255, 0};
  EXPECT_EQ(engine::ConvertForMixer(mono8, kRate),
            (std::vector<int16_t>{0, 0, 127 * 256, 127 * 256, -128 * 256, -128 * 256}));
  const TWave stereo = TWave::FromPcm16(kRate, 2, {1, -1, 2, -2});
  EXPECT_EQ(engine::ConvertForMixer(stereo, kRate), (std::vector<int16_t>{1, -1, 2, -2}));
  // Half the rate: every second output frame lies halfway between two input frames.
  const TWave slow = TWave::FromPcm16(kRate / 2, 1, {0, 100, 200});
  const auto doubled = engine::ConvertForMixer(slow, kRate);
  ASSERT_EQ(doubled.size(), 12u);
  EXPECT_EQ(doubled[2], 50);
  EXPECT_EQ(doubled[4], 100);
  EXPECT_EQ(doubled[6], 150);
  // Formats the mixer cannot take.
  TWave floats = stereo;
  floats.Format[0] = 3;
  EXPECT_FALSE(floats.Pcm());
  TWave slowest = stereo;
  slowest.Format = PcmFormat(2, 100, 16).bytes;
  EXPECT_FALSE(slowest.Pcm());
  TWave shortFormat = stereo;
  shortFormat.Format.resize(14);
  EXPECT_FALSE(shortFormat.Pcm());
}

TEST(RiffWave, ReadsAWaveWrittenByAnotherProgram) {
  if (std::system("python3 -c 'import wave' > /dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
  test_support::TTempWorkDir dir;
  ASSERT_EQ(std::system("python3 -c \"import wave; w = wave.open('s.wav', 'wb'); "
                        "w.setnchannels(2); w.setsampwidth(2); w.setframerate(22050); "
                        "w.writeframes(bytes([1, 0, 2, 0, 3, 0, 4, 0])); w.close()\""),
            0);
  std::ifstream in("s.wav", std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
  TWave wave;
  wave.LoadFromRiff(bytes);
  ASSERT_TRUE(wave.Pcm());
  EXPECT_EQ(wave.Pcm()->rate, 22050);
  EXPECT_EQ(wave.Pcm()->channels, 2);
  EXPECT_EQ(wave.SampleFrames(), 2);
}

struct SoundFixture : ::testing::Test {
  platform::THeadlessPlatform platform;
  engine::TDXForm form{platform};
  engine::TDXSound sound{&form};
  engine::TDXWaveList list{&sound};
  engine::TWaveCollection& waves = list.Items;

  engine::TWaveCollectionItem& AddWave(const std::string& name, TWave wave) {
    auto& item = waves.Add();
    item.SetName(name);
    item.Wave = std::move(wave);
    return item;
  }
  platform::TMixer& Mixer() { return *platform.Mixer(); }
  // The next `frames` frames of mixed output, left channel, as positions of the ramp.
  std::vector<int16_t> Listen(int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    Mixer().Mix(out.data(), frames);
    std::vector<int16_t> left;
    const float step = kRampStep * platform::TMixer::kEffectsGain;
    for (int i = 0; i < frames; ++i)
      left.push_back(static_cast<int16_t>(std::lrint(out[i * 2] / step)));
    return left;
  }
};

TEST_F(SoundFixture, OneShotPlaysOverlapUpToTheMaximum) {
  auto& shot = AddWave("Shot", Ramp(1000));
  sound.Initialize();
  ASSERT_TRUE(shot.Initialized());
  shot.Play();
  shot.Play();
  shot.Play();
  EXPECT_EQ(shot.PlayingCount(), 3);
  EXPECT_EQ(shot.CopyCount(), 3);
  // Once they have ended, the copies are used again rather than made anew.
  Listen(1000);
  EXPECT_EQ(shot.PlayingCount(), 0);
  shot.Play();
  EXPECT_EQ(shot.CopyCount(), 3);

  auto& limited = AddWave("Bird", Ramp(1000));
  limited.SetMaxPlayingCount(2);
  waves.Restore();
  limited.Play();
  Listen(10);
  limited.Play();
  Listen(10);
  limited.Play();  // restarts the oldest copy
  EXPECT_EQ(limited.CopyCount(), 2);
  EXPECT_EQ(limited.PlayingCount(), 2);
}

TEST_F(SoundFixture, StopThenPlayRestartsFromTheBeginningAlone) {
  auto& button = AddWave("Button", Ramp(1000));
  sound.Initialize();
  button.Play();
  EXPECT_EQ(Listen(3), (std::vector<int16_t>{1, 2, 3}));
  button.Stop();
  button.Play();
  EXPECT_EQ(button.PlayingCount(), 1);
  EXPECT_EQ(Listen(2), (std::vector<int16_t>{1, 2}));
}

TEST_F(SoundFixture, ALoopedItemKeepsOneInstanceRestartedFromZero) {
  auto& engine = AddWave("Engine", Ramp(4));
  engine.SetLooped(true);
  sound.Initialize();
  engine.Play();
  EXPECT_EQ(Listen(6), (std::vector<int16_t>{1, 2, 3, 4, 1, 2}));
  engine.Play();
  EXPECT_EQ(engine.PlayingCount(), 1);
  EXPECT_EQ(engine.CopyCount(), 0);
  EXPECT_EQ(Listen(2), (std::vector<int16_t>{1, 2}));
  engine.Stop();
  EXPECT_EQ(engine.PlayingCount(), 0);
}

TEST_F(SoundFixture, WithoutASoundDeviceEverythingIsSilent) {
  platform.SetAudioDevice(false);
  std::vector<int> kinds;
  sound.OnInitializing = [&] { kinds.push_back(1); };
  sound.OnFinalize = [&] { kinds.push_back(3); };
  try {
    sound.Initialize();
    FAIL();
  } catch (const engine::EDirectSoundError& e) {
    EXPECT_STREQ(e.what(), "DirectSound cannot be initialized");
  }
  EXPECT_FALSE(sound.Initialized());
  EXPECT_EQ(kinds, (std::vector<int>{1}));  // never initialised, so never finalised
  EXPECT_NO_THROW(sound.Loaded());
  auto& shot = AddWave("Shot", Ramp(10));
  waves.Restore();
  shot.Play();
  EXPECT_FALSE(shot.Initialized());
  EXPECT_EQ(shot.PlayingCount(), 0);
}

TEST_F(SoundFixture, TheDeviceTellsItsListenersInOrder) {
  struct TRecorder : engine::TDXSoundListener {
    std::string& log;
    char name;
    TRecorder(std::string& l, char n) : log(l), name(n) {}
    void DXSoundNotify(engine::TDXSound&, engine::TDXSoundNotifyType kind) override {
      log += name;
      log += static_cast<char>('0' + static_cast<int>(kind));
    }
  };
  std::string log;
  TRecorder a(log, 'a'), b(log, 'b');
  sound.RegisterNotify(a);
  sound.RegisterNotify(b);
  sound.Initialize();
  EXPECT_EQ(log, "b1a1b2a2b4a4");
  log.clear();
  TRecorder late(log, 'c');
  sound.RegisterNotify(late);
  EXPECT_EQ(log, "c2c4");
  log.clear();
  sound.Finalize();
  EXPECT_EQ(log, "c3b3a3");
  sound.UnregisterNotify(a);
  sound.UnregisterNotify(b);
  sound.UnregisterNotify(late);
  engine::TDXSound orphan(nullptr);
  EXPECT_THROW(orphan.Initialize(), engine::EDXSoundError);
}

TEST_F(SoundFixture, AFormatTheMixerCannotTakeIsRefusedWhenTheBufferIsBuilt) {
  auto& odd = AddWave("Odd", Ramp(10));
  odd.Wave.Format[0] = 2;  // a compressed format
  try {
    sound.Initialize();
    FAIL();
  } catch (const engine::EDirectSoundBufferError& e) {
    EXPECT_STREQ(e.what(), "Sound Buffer cannot be made");
  }
}

TEST_F(SoundFixture, WrittenFilesReadBackAndFindWaveSaysWhatIsMissing) {
  auto& a = AddWave("Shot", Ramp(5));
  a.SetMaxPlayingCount(-3);
  EXPECT_EQ(a.MaxPlayingCount(), 0);
  auto& b = AddWave("Engine", Ramp(7));
  b.SetLooped(true);
  b.SetMaxPlayingCount(4);
  const auto bytes = waves.SaveToBytes();

  sound.Initialize();
  engine::TWaveCollection& copy = waves;
  copy.LoadFromBytes(bytes);  // into a ready device: buffers are built at once
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_TRUE(copy.FindWave("ENGINE").Looped());
  EXPECT_EQ(copy.FindWave("engine").MaxPlayingCount(), 4);
  EXPECT_EQ(copy.FindWave("shot").Wave.Data, Ramp(5).Data);
  EXPECT_TRUE(copy.FindWave("shot").Initialized());
  EXPECT_EQ(copy.SaveToBytes(), bytes);
  try {
    copy.FindWave("Boom");
    FAIL();
  } catch (const engine::EWaveCollectionError& e) {
    EXPECT_STREQ(e.what(), "Wave 'Boom' not found");
  }
  // A wave property in the wrong place names itself.
  auto renamed = bytes;
  const std::string looped = "Looped";
  auto at = std::search(renamed.begin(), renamed.end(), looped.begin(), looped.end());
  *at = 'H';
  EXPECT_THROW(copy.LoadFromBytes(renamed), engine::EReadError);
  EXPECT_EQ(copy.Count(), 0);
}

}  // namespace
