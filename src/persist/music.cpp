#include "app/form.h"
#include "platform/paths.h"

namespace {
constexpr const char* kGameMusic = "Data\\Music\\Race.xm";
constexpr const char* kMenuMusic = "Data\\Music\\Menu.xm";
}  // namespace

// A song that cannot be loaded leaves the game silent, without a message.
void TMForm::PlaySong(const std::string& path) {
  if (!Options.Music) return;
  if (SongHandle != 0) platform::SongFree(SongHandle);
  SongPath = platform::NativePath(path);
  SongHandle = platform::SongLoadFromFile(SongPath);
  if (SongHandle != 0) platform::SongPlay(SongHandle);
}

void TMForm::StopSong() {
  if (SongHandle != 0) platform::SongFree(SongHandle);
  SongHandle = 0;
}

void TMForm::StartScreenMusic() { PlaySong(ScreenType == kScreenGame ? kGameMusic : kMenuMusic); }
