#include "platform/mixer.h"

#include <algorithm>
#include <cmath>

namespace platform {

namespace {
constexpr int kChannels = 2;
}

TMixer::TMixer(int rate) : rate_(rate) {}

TMixer::TBufferId TMixer::AddBuffer(std::vector<int16_t> stereoFrames) {
  std::lock_guard guard(lock_);
  const TBufferId id = nextBuffer_++;
  buffers_[id] = std::make_shared<const std::vector<int16_t>>(std::move(stereoFrames));
  return id;
}

void TMixer::RemoveBuffer(TBufferId buffer) {
  std::lock_guard guard(lock_);
  buffers_.erase(buffer);
  std::erase_if(voices_, [buffer](const auto& entry) { return entry.second.buffer == buffer; });
}

TMixer::TPanGains TMixer::PanGains(float pan) {
  const float place = std::clamp(pan, -1.0f, 1.0f);
  return {std::min(1.0f, 1.0f - place), std::min(1.0f, 1.0f + place)};
}

TMixer::TVoiceId TMixer::Play(TBufferId buffer, bool looped, float volume, float pan) {
  std::lock_guard guard(lock_);
  if (!buffers_.contains(buffer)) return 0;
  const TVoiceId id = nextVoice_++;
  voices_[id] = TVoice{buffer, 0, looped, std::clamp(volume, 0.0f, 1.0f), PanGains(pan)};
  return id;
}

void TMixer::Stop(TVoiceId voice) {
  std::lock_guard guard(lock_);
  voices_.erase(voice);
}

bool TMixer::Playing(TVoiceId voice) const {
  std::lock_guard guard(lock_);
  return voices_.contains(voice);
}

size_t TMixer::PlayingCount() const {
  std::lock_guard guard(lock_);
  return voices_.size();
}

void TMixer::SetMusic(std::shared_ptr<TMusicSource> music) {
  std::lock_guard guard(lock_);
  music_ = std::move(music);
}

bool TMixer::IsMusic(const TMusicSource* music) const {
  std::lock_guard guard(lock_);
  return music_.get() == music;
}

void TMixer::SetMusicVolume(float volume) {
  std::lock_guard guard(lock_);
  musicVolume_ = std::clamp(volume, 0.0f, 1.0f);
}

void TMixer::SetEffectsVolume(float volume) {
  std::lock_guard guard(lock_);
  effectsVolume_ = std::clamp(volume, 0.0f, 1.0f);
}

void TMixer::Mix(int16_t* stereo, int frames) {
  if (frames <= 0) return;
  std::lock_guard guard(lock_);
  accumulator_.assign(static_cast<size_t>(frames) * kChannels, 0.0f);
  MixMusic(accumulator_, frames);
  if (effectsHeard_) {
    MixVoices(accumulator_, frames);
  } else {
    MixUnheard(frames);
  }
  for (size_t i = 0; i < accumulator_.size(); ++i) {
    stereo[i] = static_cast<int16_t>(std::lrint(Limit(accumulator_[i])));
  }
}

float TMixer::Limit(float sample) {
  const float size = std::fabs(sample);
  if (size <= kLimiterKnee) return sample;
  const float room = kLimiterCeiling - kLimiterKnee;
  const float bent = kLimiterKnee + room * std::tanh((size - kLimiterKnee) / room);
  return std::copysign(bent, sample);
}

void TMixer::SetEffectsHeard(bool heard) {
  std::lock_guard guard(lock_);
  effectsHeard_ = heard;
}

void TMixer::MixUnheard(int frames) {
  unheard_.assign(static_cast<size_t>(frames) * kChannels, 0.0f);
  MixVoices(unheard_, frames);
}

void TMixer::MixMusic(std::vector<float>& acc, int frames) {
  if (!music_) return;
  musicScratch_.assign(static_cast<size_t>(frames) * kChannels, 0);
  music_->Render(musicScratch_.data(), frames);
  for (size_t i = 0; i < acc.size(); ++i) acc[i] += musicScratch_[i] * musicVolume_;
}

void TMixer::MixVoices(std::vector<float>& acc, int frames) {
  for (auto it = voices_.begin(); it != voices_.end();) {
    TVoice& voice = it->second;
    const auto found = buffers_.find(voice.buffer);
    const size_t length = found == buffers_.end() ? 0 : found->second->size() / kChannels;
    if (length == 0) {
      it = voices_.erase(it);
      continue;
    }
    const int16_t* samples = found->second->data();
    const float gain = voice.volume * effectsVolume_ * kEffectsGain;
    const float left = gain * voice.pan.left;
    const float right = gain * voice.pan.right;
    bool finished = false;
    for (int f = 0; f < frames; ++f) {
      if (voice.position >= length) {
        if (!voice.looped) {
          finished = true;
          break;
        }
        voice.position = 0;
      }
      acc[f * kChannels] += samples[voice.position * kChannels] * left;
      acc[f * kChannels + 1] += samples[voice.position * kChannels + 1] * right;
      ++voice.position;
    }
    if (finished || (!voice.looped && voice.position >= length)) {
      it = voices_.erase(it);
    } else {
      ++it;
    }
  }
}

}  // namespace platform
