#include "engine/wave_collection.h"

#include <algorithm>

#include "engine/dx_form.h"
#include "engine/dx_sound.h"
#include "engine/engine_error.h"
#include "platform/platform.h"

namespace engine {

namespace {

constexpr int kWaitPollHz = 100;  // Play(true) looks every 10 ms
// A wait gives up this long after the sound should have ended (a mixer nobody pulls).
constexpr int64_t kWaitSlackPolls = 100;

}  // namespace

TWaveCollectionItem::TWaveCollectionItem(TWaveCollection& owner) : owner_(owner) {
  owner_.index_.Link(this, name_);
}

TWaveCollectionItem::~TWaveCollectionItem() {
  Finalize();
  owner_.index_.Unlink(this, name_);
}

void TWaveCollectionItem::SetName(const std::string& name) {
  owner_.index_.Unlink(this, name_);
  name_ = name;
  owner_.index_.Link(this, name_);
}

void TWaveCollectionItem::SetLooped(bool looped) {
  Stop();
  looped_ = looped;
}

void TWaveCollectionItem::SetMaxPlayingCount(int count) {
  count = std::max(count, 0);
  if (count == maxPlayingCount_) return;
  maxPlayingCount_ = count;
  if (initialized_) FreeCopies();
}

platform::TMixer* TWaveCollectionItem::Mixer() const {
  return owner_.device_ ? owner_.device_->Mixer() : nullptr;
}

void TWaveCollectionItem::FreeCopies() {
  if (platform::TMixer* mixer = Mixer())
    for (auto voice : copies_) mixer->Stop(voice);
  copies_.clear();
}

void TWaveCollectionItem::Finalize() {
  if (platform::TMixer* mixer = Mixer(); mixer && buffer_) mixer->RemoveBuffer(buffer_);
  buffer_ = 0;
  ownVoice_ = 0;
  copies_.clear();
  initialized_ = false;
}

bool TWaveCollectionItem::EnsureBuffer() {
  if (buffer_) return true;
  platform::TMixer* mixer = Mixer();
  if (!mixer || Wave.Empty()) return false;
  if (!Wave.Pcm()) throw EDirectSoundBufferError(Format("%s cannot be made", "Sound Buffer"));
  buffer_ = mixer->AddBuffer(ConvertForMixer(Wave, mixer->Rate()));
  return true;
}

void TWaveCollectionItem::Restore() {
  if (Wave.Empty()) return;
  if (!initialized_) {
    if (!owner_.Initialized()) return;
    initialized_ = true;
  }
  EnsureBuffer();
}

int TWaveCollectionItem::ChooseCopy() {
  platform::TMixer& mixer = *Mixer();
  for (size_t i = 0; i < copies_.size(); ++i)
    if (!mixer.Playing(copies_[i])) return static_cast<int>(i);
  if (maxPlayingCount_ > 0 && static_cast<int>(copies_.size()) >= maxPlayingCount_) {
    std::rotate(copies_.begin(), copies_.begin() + 1, copies_.end());  // oldest to the end
    return static_cast<int>(copies_.size()) - 1;
  }
  if (!EnsureBuffer()) return -1;
  copies_.push_back(0);
  return static_cast<int>(copies_.size()) - 1;
}

void TWaveCollectionItem::Play(bool wait, float pan) {
  platform::TMixer* mixer = Mixer();
  if (!initialized_ || !mixer) return;
  if (looped_) {
    if (!EnsureBuffer()) return;
    mixer->Stop(ownVoice_);
    ownVoice_ = mixer->Play(buffer_, true, 1.0f, pan);
    return;
  }
  const int chosen = ChooseCopy();
  if (chosen < 0) return;
  mixer->Stop(copies_[chosen]);
  copies_[chosen] = mixer->Play(buffer_, false, 1.0f, pan);
  if (wait) WaitUntilSilent(*mixer, copies_[chosen]);
}

void TWaveCollectionItem::WaitUntilSilent(platform::TMixer& mixer,
                                          platform::TMixer::TVoiceId voice) const {
  const auto pcm = Wave.Pcm();
  const int64_t lengthPolls = pcm ? Wave.SampleFrames() * kWaitPollHz / pcm->rate : 0;
  platform::TPlatform& platform = owner_.device_->ParentForm()->Platform();
  for (int64_t poll = 0; poll < lengthPolls + kWaitSlackPolls && mixer.Playing(voice); ++poll)
    platform.PaceFrame(kWaitPollHz);
}

void TWaveCollectionItem::Stop() {
  platform::TMixer* mixer = Mixer();
  if (!initialized_ || !mixer) return;
  mixer->Stop(ownVoice_);
  for (auto voice : copies_) mixer->Stop(voice);
}

int TWaveCollectionItem::PlayingCount() const {
  platform::TMixer* mixer = Mixer();
  if (!mixer) return 0;
  int playing = mixer->Playing(ownVoice_) ? 1 : 0;
  for (auto voice : copies_) playing += mixer->Playing(voice) ? 1 : 0;
  return playing;
}

TWaveCollection::~TWaveCollection() {
  Clear();
}

TWaveCollectionItem& TWaveCollection::Add() {
  items_.push_back(std::make_unique<TWaveCollectionItem>(*this));
  return *items_.back();
}

void TWaveCollection::Clear() {
  items_.clear();
}

TWaveCollectionItem* TWaveCollection::Find(const std::string& name) const {
  return index_.Find(name, [](const TWaveCollectionItem& item) { return item.Name(); });
}

TWaveCollectionItem& TWaveCollection::FindWave(const std::string& name) const {
  TWaveCollectionItem* item = Find(name);
  if (!item) throw EWaveCollectionError(Format("Wave '%s' not found", name.c_str()));
  return *item;
}

bool TWaveCollection::Initialized() const {
  return device_ && device_->Initialized();
}

void TWaveCollection::Initialize(TDXSound& device) {
  Finalize();
  device_ = &device;
  for (auto& item : items_) item->SetInitialized(device.Initialized());
}

void TWaveCollection::Finalize() {
  for (auto& item : items_) item->Finalize();
  device_ = nullptr;
}

void TWaveCollection::Restore() {
  for (auto& item : items_) item->Restore();
}

}  // namespace engine
