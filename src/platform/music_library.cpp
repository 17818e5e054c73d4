#include "platform/music_library.h"

#include <xmp.h>

#include <map>
#include <memory>

#include "platform/mixer.h"
#include "platform/platform.h"

namespace platform {

namespace {

constexpr int kSilentRate = 44100;
// The module's own mix is kept below full scale so the effects stay on top of it.
constexpr int kPlayerVolume = 70;

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

std::map<TSongHandle, std::shared_ptr<TXmpSong>>& Songs() {
  static std::map<TSongHandle, std::shared_ptr<TXmpSong>> songs;
  return songs;
}

TSongHandle NextHandle() {
  static TSongHandle next = 0;
  do {
    ++next;
  } while (next == 0 || Songs().contains(next));
  return next;
}

}  // namespace

TSongHandle SongLoadFromFile(const std::string& path) {
  auto song = std::make_shared<TXmpSong>();
  if (!song->Load(path)) return 0;
  const TSongHandle handle = NextHandle();
  Songs()[handle] = std::move(song);
  return handle;
}

void SongPlay(TSongHandle handle) {
  const auto found = Songs().find(handle);
  if (found == Songs().end()) return;
  TMixer* mixer = HasPlatform() ? Platform().Mixer() : nullptr;
  if (!found->second->Start(mixer ? mixer->Rate() : kSilentRate)) return;
  if (mixer) mixer->SetMusic(found->second);
}

void SongFree(TSongHandle handle) {
  const auto found = Songs().find(handle);
  if (found == Songs().end()) return;
  TMixer* mixer = HasPlatform() ? Platform().Mixer() : nullptr;
  if (mixer && mixer->IsMusic(found->second.get())) mixer->SetMusic(nullptr);
  Songs().erase(found);
}

}  // namespace platform
