#include "platform/music_library.h"

#include <xmp.h>

#include <map>
#include <memory>

#include "platform/mixer.h"

namespace platform {

namespace {

constexpr int kSilentRate = 44100;
// The module renders at its full volume; the mixer sets its level against the effects.
constexpr int kPlayerVolume = 100;

}  // namespace

class TXmpSong final : public TMusicSource {
 public:
  TXmpSong() : context_(xmp_create_context()) {}
  ~TXmpSong() override {
    if (started_) xmp_end_player(context_);
    if (loaded_) xmp_release_module(context_);
    xmp_free_context(context_);
  }
  TXmpSong(const TXmpSong&) = delete;
  TXmpSong& operator=(const TXmpSong&) = delete;

  bool Load(const std::string& path) {
    loaded_ = xmp_load_module(context_, const_cast<char*>(path.c_str())) == 0;
    return loaded_;
  }

  bool Start(int rate) {
    if (!loaded_ || started_) return started_;
    started_ = xmp_start_player(context_, rate, 0) == 0;
    if (started_) xmp_set_player(context_, XMP_PLAYER_VOLUME, kPlayerVolume);
    return started_;
  }

  bool Started() const { return started_; }

  void Render(int16_t* stereo, int frames) override {
    if (!started_) return;
    // A loop count of 0 repeats the module for ever.
    xmp_play_buffer(context_, stereo, frames * 2 * static_cast<int>(sizeof(int16_t)), 0);
  }

 private:
  xmp_context context_;
  bool loaded_ = false;
  bool started_ = false;
};

TSongLibrary::TSongLibrary(TMixer* mixer) : mixer_(mixer) {}

TSongLibrary::~TSongLibrary() {
  if (mixer_) mixer_->SetMusic(nullptr);
}

TSongHandle TSongLibrary::SongLoadFromFile(const std::string& path) {
  auto song = std::make_shared<TXmpSong>();
  if (!song->Load(path)) return 0;
  do {
    ++lastHandle_;
  } while (lastHandle_ == 0 || songs_.contains(lastHandle_));
  songs_[lastHandle_] = std::move(song);
  return lastHandle_;
}

void TSongLibrary::SongPlay(TSongHandle handle) {
  const auto found = songs_.find(handle);
  if (found == songs_.end()) return;
  if (!found->second->Start(mixer_ ? mixer_->Rate() : kSilentRate)) return;
  if (mixer_) mixer_->SetMusic(found->second);
}

void TSongLibrary::SongFree(TSongHandle handle) {
  const auto found = songs_.find(handle);
  if (found == songs_.end()) return;
  if (mixer_ && mixer_->IsMusic(found->second.get())) mixer_->SetMusic(nullptr);
  songs_.erase(found);
}

bool TSongLibrary::Playing(TSongHandle handle) const {
  const auto found = songs_.find(handle);
  return found != songs_.end() && found->second->Started();
}

}  // namespace platform
