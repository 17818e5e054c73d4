#pragma once

#include <cstdint>
#include <string>

// The music library's three calls: load a module, start it, free it. Songs play through the
// platform's mixer, repeating from the start when they end; without an audio device they load
// and "play" silently.
namespace platform {

using TSongHandle = uint32_t;

// 0 when the module cannot be loaded.
TSongHandle SongLoadFromFile(const std::string& path);
// Starts the loaded song and returns at once.
void SongPlay(TSongHandle handle);
// Stops the song and releases it; an unknown handle is ignored.
void SongFree(TSongHandle handle);

}  // namespace platform
