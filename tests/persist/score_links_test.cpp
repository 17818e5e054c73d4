#include "persist/score_links.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "persist/settings_file.h"
#include "support/temp_dir.h"

namespace {

// The start-up's reading of the score host: the file loaded, the setting taken, the file
// written back only when the setting changed it.
std::string LoadScoreServer(const std::string& folder) {
  persist::TSettingsFile settings = persist::LoadSettingsFile(folder);
  const auto before = settings.Bytes();
  const std::string host = persist::ScoreServerSetting(settings);
  if (settings.Bytes() != before) persist::SaveSettingsFile(folder, settings);
  return host;
}

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// No server unless one is set: the key is written empty for the player to find, and the
// address earlier versions wrote into every file, where no server answers, counts as unset.
TEST(ScoreServerSetting, NoneIsTheDefaultAndTheRetiredAddressIsNone) {
  test_support::TTempWorkDir dir;
  std::filesystem::create_directories("Save");
  ASSERT_STREQ(persist::kBuiltInScoreServer, "") << "this build has a server built in";
  EXPECT_EQ(LoadScoreServer("Save"), "");
  EXPECT_EQ(FileText("Save/settings"), "score_server=\n");
  EXPECT_FALSE(std::filesystem::exists("Save/options"));  // the options file is not touched
  dir.Write("Save/settings", "vsync=on\nscore_server=http://perolet.example.net\n");
  EXPECT_EQ(LoadScoreServer("Save"), "");
  EXPECT_EQ(FileText("Save/settings"), "vsync=on\nscore_server=\n");
}

TEST(ScoreServerSetting, AClubsServerIsUsedAndABadValueIsNot) {
  test_support::TTempWorkDir dir;
  std::filesystem::create_directories("Save");
  dir.Write("Save/settings", "# ours\nscore_server=http://10.0.0.2:8080/\nother=1\n");
  EXPECT_EQ(LoadScoreServer("Save"), "http://10.0.0.2:8080");
  dir.Write("Save/settings", "score_server=javascript:alert(1)\n");
  EXPECT_EQ(LoadScoreServer("Save"), "");
  // The player's line stays for them to mend.
  EXPECT_EQ(FileText("Save/settings"), "score_server=javascript:alert(1)\n");
  EXPECT_EQ(persist::WorldRecordsAddress("http://10.0.0.2:8080"),
            "http://10.0.0.2:8080/cgi/version.pl?prg=Featherstrike&type=0&show");
}

}  // namespace
