#include "platform/mixer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using platform::TMixer;

std::vector<int16_t> Constant(int frames, int16_t value) {
  return std::vector<int16_t>(static_cast<size_t>(frames) * 2, value);
}

int16_t Effect(float sample) {
  return static_cast<int16_t>(std::lrint(sample * TMixer::kEffectsGain));
}

std::vector<int16_t> Mix(TMixer& mixer, int frames) {
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2, 99);
  mixer.Mix(out.data(), frames);
  return out;
}

TEST(Mixer, OneShotVoicesEndAndLoopedOnesRepeat) {
  TMixer mixer(44100);
  const auto buffer = mixer.AddBuffer(Constant(4, 1000));
  const auto once = mixer.Play(buffer, false);
  const auto looped = mixer.Play(buffer, true, 0.5f);
  auto out = Mix(mixer, 3);
  EXPECT_EQ(out[0], Effect(1500));
  EXPECT_EQ(out[5], Effect(1500));
  EXPECT_TRUE(mixer.Playing(once));
  out = Mix(mixer, 3);
  EXPECT_EQ(out[0], Effect(1500));
  EXPECT_EQ(out[2], Effect(500)) << "the one-shot copy ended after four frames";
  EXPECT_FALSE(mixer.Playing(once));
  EXPECT_TRUE(mixer.Playing(looped));
  mixer.Stop(looped);
  EXPECT_EQ(Mix(mixer, 2), std::vector<int16_t>(4, 0));
}

TEST(Mixer, LoudSumsBendBelowFullScaleAndNeverClip) {
  // Quiet sums pass unchanged; above the knee a louder sum never comes out quieter, and none
  // goes beyond the ceiling.
  EXPECT_EQ(TMixer::Limit(0.0f), 0.0f);
  EXPECT_EQ(TMixer::Limit(-1000.0f), -1000.0f);
  EXPECT_EQ(TMixer::Limit(TMixer::kLimiterKnee), TMixer::kLimiterKnee);
  EXPECT_NEAR(TMixer::Limit(TMixer::kLimiterKnee + 10), TMixer::kLimiterKnee + 10, 0.5)
      << "no step at the knee";
  float previous = TMixer::kLimiterKnee;
  for (float sum = TMixer::kLimiterKnee + 500; sum < 40 * 32768.0f; sum *= 1.25f) {
    const float out = TMixer::Limit(sum);
    EXPECT_GE(out, previous) << sum;
    EXPECT_LE(out, TMixer::kLimiterCeiling) << sum;
    EXPECT_EQ(TMixer::Limit(-sum), -out);
    previous = out;
  }
  EXPECT_LT(TMixer::kLimiterCeiling, 32767);
  // Thirty-two copies of a full-scale wave, both signs.
  TMixer mixer(44100);
  const auto high = mixer.AddBuffer(Constant(8, 32767));
  const auto low = mixer.AddBuffer(Constant(8, -32767));
  for (int i = 0; i < 32; ++i) mixer.Play(i < 16 ? high : low, false);
  EXPECT_EQ(Mix(mixer, 1)[0], 0);
  mixer.RemoveBuffer(low);
  for (int i = 0; i < 16; ++i) mixer.Play(high, false);
  const int16_t loudest = Mix(mixer, 1)[0];
  EXPECT_GT(loudest, 30000);
  EXPECT_LT(loudest, 32767);
}

TEST(Mixer, RemovingABufferStopsItsVoices) {
  TMixer mixer(22050);
  const auto loud = mixer.AddBuffer(Constant(8, 30000));
  mixer.Play(loud, false);
  mixer.Play(loud, false);
  mixer.RemoveBuffer(loud);
  EXPECT_EQ(mixer.PlayingCount(), 0u);
  EXPECT_EQ(mixer.Play(loud, false), 0) << "a removed buffer cannot be played";
}

TEST(Mixer, EmptyBufferEndsAtOnce) {
  TMixer mixer(44100);
  const auto empty = mixer.AddBuffer({});
  const auto voice = mixer.Play(empty, true);
  Mix(mixer, 4);
  EXPECT_FALSE(mixer.Playing(voice));
}

// A voice leans to one side by fading the other; the side it leans to, and a centred voice,
// keep the full gain. Out of range is at the edge.
TEST(Mixer, APanFadesTheFarSideOnly) {
  const struct {
    float pan;
    float left, right;
  } kPlaces[] = {{-1, 1000, 0},      {-0.5f, 1000, 500}, {0, 1000, 1000},
                 {0.25f, 750, 1000}, {1, 0, 1000},       {3, 0, 1000}};
  for (const auto& place : kPlaces) {
    TMixer mixer(44100);
    mixer.Play(mixer.AddBuffer(Constant(4, 1000)), false, 1.0f, place.pan);
    const auto out = Mix(mixer, 1);
    EXPECT_EQ(out[0], Effect(place.left)) << place.pan;
    EXPECT_EQ(out[1], Effect(place.right)) << place.pan;
  }
}

struct TCountingMusic : platform::TMusicSource {
  int frames = 0;
  void Render(int16_t* stereo, int count) override {
    frames += count;
    for (int i = 0; i < count * 2; ++i) stereo[i] = 10000;
  }
};

TEST(Mixer, MusicPlaysUnderTheEffectsAtItsOwnVolume) {
  TMixer mixer(44100);
  auto music = std::make_shared<TCountingMusic>();
  mixer.SetMusic(music);
  mixer.SetMusicVolume(0.5f);
  const auto buffer = mixer.AddBuffer(Constant(10, 1000));
  mixer.Play(buffer, false);
  EXPECT_EQ(Mix(mixer, 5)[0], 5000 + Effect(1000));
  EXPECT_EQ(music->frames, 5);
  EXPECT_TRUE(mixer.IsMusic(music.get()));
  mixer.SetMusic(nullptr);
  EXPECT_EQ(Mix(mixer, 1)[0], Effect(1000));
}

TEST(Mixer, TheEffectsVolumeTurnsEveryVoiceButNotTheMusic) {
  TMixer mixer(44100);
  mixer.SetMusic(std::make_shared<TCountingMusic>());
  mixer.SetEffectsVolume(0.25f);
  const auto buffer = mixer.AddBuffer(Constant(4, 1000));
  mixer.Play(buffer, false);
  mixer.Play(buffer, true, 1.0f, 1.0f);
  const auto out = Mix(mixer, 1);
  EXPECT_EQ(out[0], 10000 + Effect(250));
  EXPECT_EQ(out[1], 10000 + Effect(500));
}

}  // namespace
