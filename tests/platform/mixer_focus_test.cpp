#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "platform/mixer.h"

namespace {

using platform::TMixer;

constexpr int16_t kMusic = 8000;

struct TSteadyMusic : platform::TMusicSource {
  void Render(int16_t* stereo, int frames) override {
    for (int i = 0; i < frames * 2; ++i) stereo[i] = kMusic;
  }
};

std::vector<int16_t> Mixed(TMixer& mixer, int frames) {
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2, 99);
  mixer.Mix(out.data(), frames);
  return out;
}

// Unheard, an effect plays on in silence under the music, which is still heard; with the
// focus back it is heard from where it has got to, and one that ended meanwhile stays over.
TEST(MixerFocus, UnheardEffectsPlayOnInSilenceUnderTheMusic) {
  TMixer mixer(44100);
  mixer.SetMusic(std::make_shared<TSteadyMusic>());
  std::vector<int16_t> rising;  // frame n holds 1000 n on both sides
  for (int n = 1; n <= 8; ++n) rising.insert(rising.end(), 2, static_cast<int16_t>(1000 * n));
  const auto effect = mixer.Play(mixer.AddBuffer(rising), false);
  const auto withFrame = [](int n) {
    return static_cast<int16_t>(std::lrint(kMusic + 1000 * n * TMixer::kEffectsGain));
  };
  EXPECT_EQ(Mixed(mixer, 2)[2], withFrame(2));
  mixer.SetEffectsHeard(false);
  EXPECT_EQ(Mixed(mixer, 3), std::vector<int16_t>(6, kMusic));
  EXPECT_TRUE(mixer.Playing(effect));
  mixer.SetEffectsHeard(true);
  EXPECT_EQ(Mixed(mixer, 1)[0], withFrame(6));
  mixer.SetEffectsHeard(false);
  Mixed(mixer, 3);
  EXPECT_FALSE(mixer.Playing(effect)) << "it ended unheard";
}

}  // namespace
