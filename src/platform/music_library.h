#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace platform {

class TMixer;
class TXmpSong;

using TSongHandle = uint32_t;

// The music library's three calls: load a module, start it, free it. Songs play through the
// platform's mixer, repeating from the start when they end; without an audio device they load
// and "play" silently.
class TSongLibrary {
 public:
  explicit TSongLibrary(TMixer* mixer);
  ~TSongLibrary();
  TSongLibrary(const TSongLibrary&) = delete;
  TSongLibrary& operator=(const TSongLibrary&) = delete;

  // 0 when the module cannot be loaded.
  TSongHandle SongLoadFromFile(const std::string& path);
  // Starts the loaded song and returns at once.
  void SongPlay(TSongHandle handle);
  // Stops the song and releases it; an unknown handle is ignored.
  void SongFree(TSongHandle handle);
  bool Playing(TSongHandle handle) const;

 private:
  TMixer* mixer_;
  std::map<TSongHandle, std::shared_ptr<TXmpSong>> songs_;
  TSongHandle lastHandle_ = 0;
};

}  // namespace platform
