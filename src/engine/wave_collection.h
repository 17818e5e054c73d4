#pragma once

#include <memory>
#include <span>
#include <string>
#include <vector>

#include "engine/name_index.h"
#include "engine/riff_wave.h"
#include "platform/mixer.h"

namespace engine {

class TDXSound;
class TWaveCollection;

// One named sound. Its samples are kept once, in the item's own mixer buffer; every play of
// a one-shot sound is a copy that only holds a place in those samples, and idle copies are
// used again, so playing allocates nothing once the sound has been heard.
class TWaveCollectionItem {
 public:
  explicit TWaveCollectionItem(TWaveCollection& owner);
  ~TWaveCollectionItem();
  TWaveCollectionItem(const TWaveCollectionItem&) = delete;
  TWaveCollectionItem& operator=(const TWaveCollectionItem&) = delete;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  bool Looped() const { return looped_; }
  void SetLooped(bool looped);
  int MaxPlayingCount() const { return maxPlayingCount_; }
  void SetMaxPlayingCount(int count);

  TWave Wave;

  bool Initialized() const { return initialized_; }
  void SetInitialized(bool initialized) { initialized_ = initialized; }
  void Finalize();
  // Builds the item's buffer; raises EDirectSoundBufferError "Sound Buffer cannot be made"
  // for a format the mixer cannot take.
  void Restore();
  // pan: where the sound sits between the speakers (platform::TMixer::PanGains).
  void Play(bool wait = false, float pan = 0.0f);
  void Stop();

  // How many copies exist and how many of them are sounding (the looped item counts its
  // own buffer).
  int CopyCount() const { return static_cast<int>(copies_.size()); }
  int PlayingCount() const;

 private:
  platform::TMixer* Mixer() const;
  bool EnsureBuffer();
  void FreeCopies();
  int ChooseCopy();
  void WaitUntilSilent(platform::TMixer& mixer, platform::TMixer::TVoiceId voice) const;

  TWaveCollection& owner_;
  std::string name_;
  bool looped_ = false;
  int maxPlayingCount_ = 0;
  bool initialized_ = false;
  platform::TMixer::TBufferId buffer_ = 0;  // 0: not built
  platform::TMixer::TVoiceId ownVoice_ = 0;
  // Oldest first; a voice of 0 is a copy that never sounded.
  std::vector<platform::TMixer::TVoiceId> copies_;
};

// The named sounds of one sound-list file.
class TWaveCollection {
 public:
  static constexpr const char* kComponentClassName = "TWaveCollectionComponent";
  // What the mixer may hold for one sound-list file, counted while it is read: a 4000 Hz
  // 8-bit mono wave grows 44-fold when converted, so a small file could otherwise fill the
  // memory. Sounds.dxw converts to 1,272,696 bytes (16 sounds at 22,050 Hz); this is 26 times
  // that. Counted at the fastest device rate we open, 48 kHz (both platforms ask 44.1).
  static constexpr int64_t kMostConvertedBytes = int64_t{32} << 20;
  static constexpr int kBudgetDeviceRate = 48000;

  TWaveCollection() = default;
  ~TWaveCollection();
  TWaveCollection(const TWaveCollection&) = delete;
  TWaveCollection& operator=(const TWaveCollection&) = delete;

  int Count() const { return static_cast<int>(items_.size()); }
  TWaveCollectionItem& Items(int index) { return *items_.at(index); }
  const TWaveCollectionItem& Items(int index) const { return *items_.at(index); }
  TWaveCollectionItem& Add();
  void Clear();

  // Raises EWaveCollectionError "Wave '%s' not found".
  TWaveCollectionItem& FindWave(const std::string& name) const;
  TWaveCollectionItem* Find(const std::string& name) const;

  void LoadFromFile(const std::string& path);
  void LoadFromBytes(std::span<const uint8_t> bytes);
  std::vector<uint8_t> SaveToBytes() const;
  void SaveToFile(const std::string& path) const;

  void Initialize(TDXSound& device);
  void Finalize();
  void Restore();
  bool Initialized() const;
  TDXSound* DXSound() const { return device_; }

 private:
  friend class TWaveCollectionItem;

  std::vector<std::unique_ptr<TWaveCollectionItem>> items_;
  TNameIndex<TWaveCollectionItem> index_;
  TDXSound* device_ = nullptr;
};

}  // namespace engine
