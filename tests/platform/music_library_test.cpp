#include "platform/music_library.h"

#include <gtest/gtest.h>

#include "platform/mixer.h"
#include "support/minimal_xm.h"
#include "support/temp_dir.h"

namespace {

TEST(MusicLibrary, LoadReturnsZeroForWhatIsNotAModule) {
  test_support::TTempWorkDir dir;
  dir.Write("noise.xm", std::string(600, '\x7f'));
  platform::TSongLibrary songs(nullptr);
  EXPECT_EQ(songs.SongLoadFromFile("missing.xm"), 0u);
  EXPECT_EQ(songs.SongLoadFromFile("noise.xm"), 0u);
  songs.SongFree(12345);  // unknown handles are ignored
}

TEST(MusicLibrary, PlayedSongRendersIntoTheMixerUntilFreed) {
  test_support::TTempWorkDir dir;
  test_support::WriteMinimalXm("song.xm");
  platform::TMixer mixer(44100);
  platform::TSongLibrary songs(&mixer);
  const auto song = songs.SongLoadFromFile("song.xm");
  ASSERT_NE(song, 0u);
  EXPECT_TRUE(mixer.IsMusic(nullptr)) << "nothing plays before SongPlay";
  EXPECT_FALSE(songs.Playing(song));
  songs.SongPlay(song);
  EXPECT_TRUE(songs.Playing(song));
  EXPECT_FALSE(mixer.IsMusic(nullptr));
  std::vector<int16_t> out(2 * 4410);
  mixer.Mix(out.data(), 4410);
  const auto other = songs.SongLoadFromFile("song.xm");
  EXPECT_NE(other, song);
  songs.SongFree(other);
  EXPECT_FALSE(mixer.IsMusic(nullptr)) << "freeing another song keeps this one playing";
  songs.SongFree(song);
  EXPECT_TRUE(mixer.IsMusic(nullptr));
  EXPECT_FALSE(songs.Playing(song));
}

}  // namespace
