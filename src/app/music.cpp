#include "app/form.h"
#include "platform/music_library.h"
#include "platform/paths.h"
#include "platform/platform.h"

// A song that cannot be loaded leaves the game silent, without a message.
void TMForm::PlaySong(const std::string& path) {
  if (!Options.Music) return;
  if (SongHandle != 0) Platform().Songs().SongFree(SongHandle);
  SongPath = platform::NativePath(path);
  SongHandle = Platform().Songs().SongLoadFromFile(SongPath);
  if (SongHandle != 0) Platform().Songs().SongPlay(SongHandle);
}

void TMForm::StopSong() {
  if (SongHandle != 0) Platform().Songs().SongFree(SongHandle);
  SongHandle = 0;
}

void TMForm::StartScreenMusic() {
  const TScreen* screen = screens_.Base();
  PlaySong(screen ? screen->Music() : kMenuMusic);
}
