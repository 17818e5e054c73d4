#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace platform {

// Something that renders interleaved stereo 16-bit frames at the mixer's rate (the music).
class TMusicSource {
 public:
  virtual ~TMusicSource() = default;
  virtual void Render(int16_t* stereo, int frames) = 0;
};

// The software mixer every sound and the music play through. Sample buffers are stored once,
// already converted to the device format (stereo, 16 bits, the device rate); playing voices
// only hold a position in them, so many copies of one sound cost no memory. The device's
// audio thread pulls from Mix(); every other call comes from the game's thread, hence the lock.
class TMixer {
 public:
  using TBufferId = int;
  using TVoiceId = int;

  // Each effect is made at its own loudness (at their loudest, a blast about −9 dBFS, the
  // craft's gun −17, a click −20) and the modules render about −21 dBFS: the effects are
  // taken down a little, which also leaves headroom for the sum, and the music plays at full
  // gain, so the blasts stand out over the music and the gun sits within it.
  static constexpr float kEffectsGain = 0.7f;
  static constexpr float kMusicGain = 1.0f;
  // The sum passes unchanged up to the knee; above it, it bends smoothly towards the ceiling
  // and never reaches full scale, so many effects at once never clip.
  static constexpr float kLimiterKnee = 0.6f * 32767;
  static constexpr float kLimiterCeiling = 0.97f * 32767;
  static float Limit(float sample);

  explicit TMixer(int rate);

  int Rate() const { return rate_; }

  // A voice's gain on each side for a pan from −1 (all left) through 0 (centre) to 1 (all
  // right), beyond those at the edge. The side it leans to keeps its full gain and the other
  // side fades: a centred voice plays as it always did and no pan makes a voice louder, so
  // placing sounds brings the limiter no more work.
  struct TPanGains {
    float left = 1.0f;
    float right = 1.0f;
  };
  static TPanGains PanGains(float pan);

  TBufferId AddBuffer(std::vector<int16_t> stereoFrames);
  void RemoveBuffer(TBufferId buffer);  // stops its voices too
  // volume: 0..1 gain of this voice; pan: where it sits, as PanGains takes it.
  TVoiceId Play(TBufferId buffer, bool looped, float volume = 1.0f, float pan = 0.0f);
  void Stop(TVoiceId voice);
  bool Playing(TVoiceId voice) const;
  size_t PlayingCount() const;

  void SetMusic(std::shared_ptr<TMusicSource> music);
  bool IsMusic(const TMusicSource* music) const;
  void SetMusicVolume(float volume);
  // The player's volume of the effects, 0..1: every voice, never the music.
  void SetEffectsVolume(float volume);

  // Effects go unheard while the game's window is not in front: they play on in silence, as
  // the game's sound buffers did, and one still sounding is heard again with the focus.
  void SetEffectsHeard(bool heard);

  // Fills `frames` stereo frames of output; everything not playing is silence.
  void Mix(int16_t* stereo, int frames);

 private:
  struct TVoice {
    TBufferId buffer = 0;
    size_t position = 0;  // in frames
    bool looped = false;
    float volume = 1.0f;
    TPanGains pan;
  };

  void MixVoices(std::vector<float>& acc, int frames);
  void MixMusic(std::vector<float>& acc, int frames);
  void MixUnheard(int frames);

  const int rate_;
  mutable std::mutex lock_;
  std::map<TBufferId, std::shared_ptr<const std::vector<int16_t>>> buffers_;
  std::map<TVoiceId, TVoice> voices_;
  std::shared_ptr<TMusicSource> music_;
  float musicVolume_ = kMusicGain;
  float effectsVolume_ = 1.0f;
  int nextBuffer_ = 1;
  int nextVoice_ = 1;
  std::vector<float> accumulator_;
  std::vector<int16_t> musicScratch_;
  bool effectsHeard_ = true;
  std::vector<float> unheard_;  // where unheard effects are mixed, and let go
};

}  // namespace platform
