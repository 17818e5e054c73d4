#include "app/command_line.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>

#include "app/launch_settings.h"
#include "support/temp_dir.h"

namespace {

TEST(CommandLine, ReadsEveryFlagInBothForms) {
  EXPECT_FALSE(ParseCommandLine({}).scoreServer);
  EXPECT_TRUE(ParseCommandLine({"--help"}).help);
  EXPECT_TRUE(ParseCommandLine({"--version"}).version);
  EXPECT_EQ(ParseCommandLine({"--score-server", "http://club.example:8080"}).scoreServer,
            "http://club.example:8080");
  EXPECT_EQ(ParseCommandLine({"--score-server=https://school.example/records/"}).scoreServer,
            "https://school.example/records");  // the paths bring their own slash
  const auto both = ParseCommandLine({"--score-server", "http://a", "--help"});
  EXPECT_TRUE(both.help);
  EXPECT_EQ(both.scoreServer, "http://a");
}

TEST(CommandLine, RefusesWhatItCannotUseWithTheFlagNamed) {
  const std::vector<std::vector<std::string>> bad = {
      {"--colour"},
      {"-x"},
      {"perolet.example"},
      {"--score-server"},
      {"--score-server", "ftp://host"},
      {"--score-server", "http://"},
      {"--score-server", "http:///path"},
      {"--score-server", "http://host name"},
      {"--score-server=http://host\n"},
      {"--help=yes"},
      {"--music-volume", "101"},
      {"--effects-volume", "-1"},
      {"--music-volume", "1e2"},
      {"--effects-volume="},
  };
  for (const auto& args : bad) {
    try {
      ParseCommandLine(args);
      ADD_FAILURE() << args[0] << " was taken";
    } catch (const std::invalid_argument& error) {
      const std::string flag = args[0].substr(0, args[0].find('='));
      EXPECT_NE(std::string(error.what()).find(flag), std::string::npos) << error.what();
    }
  }
}

TEST(CommandLine, TheUsageListsEveryFlag) {
  const std::string usage = CommandLineUsage();
  for (const char* flag : {"--help", "--version", "--score-server URL", "--fullscreen",
                           "--scale sharp|integer|smooth", "--window-scale auto|N"})
    EXPECT_NE(usage.find(flag), std::string::npos) << flag;
}

using platform::TRenderer;
using platform::TScaleMode;

persist::TSettingsFile Settings(const std::string& text) {
  return persist::TSettingsFile::Parse({text.begin(), text.end()});
}

TEST(CommandLine, OptionsOverTheSettingsFileForThisRun) {
  const TCommandLine line =
      ParseCommandLine({"--scale", "integer", "--window-scale", "2", "--fullscreen"});
  EXPECT_EQ(line.fullScreen, true);
  auto settings = Settings("scale=smooth\nvsync=off\nwindow_scale=3\n");
  const platform::TPresentation p = ChoosePresentation(settings, line);
  EXPECT_EQ(p.scale, TScaleMode::Integer);
  EXPECT_EQ(p.windowScale, 2);
  EXPECT_FALSE(p.vsync);  // from the file
  EXPECT_EQ(p.renderer, TRenderer::Auto);
  EXPECT_EQ(settings.Get("scale"), "smooth");  // the command line is not written back
  EXPECT_EQ(settings.Get("renderer"), "auto");
}

TEST(CommandLine, BadValuesInTheFileGetTheirDefaults) {
  auto settings = Settings("scale=blurry\nwindow_scale=9\nvsync=maybe\nmine=1\n");
  const platform::TPresentation p = ChoosePresentation(settings, {});
  EXPECT_EQ(p.scale, TScaleMode::Sharp);
  EXPECT_EQ(p.windowScale, 0);  // from the display
  EXPECT_TRUE(p.vsync);
  const auto bytes = settings.Bytes();
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()),
            "scale=sharp\nwindow_scale=auto\nvsync=on\nmine=1\nrenderer=auto\n");
}

// The volumes: the file's lines (a bad one mended to full), the command line over them.
TEST(CommandLine, VolumesComeFromTheFileWithTheCommandLineOver) {
  test_support::TTempWorkDir dir;
  std::filesystem::create_directories("Save");
  dir.Write("Save/settings", "music_volume=40\neffects_volume=loud\n");
  TLaunchSettings launch = LoadLaunchSettings("Save", ParseCommandLine({}), true);
  EXPECT_EQ(launch.musicVolume, 40);
  EXPECT_EQ(launch.effectsVolume, 100);
  EXPECT_EQ(persist::LoadSettingsFile("Save").Get("effects_volume"), "100");
  launch = LoadLaunchSettings("Save", ParseCommandLine({"--effects-volume=0"}), true);
  EXPECT_EQ(launch.musicVolume, 40);
  EXPECT_EQ(launch.effectsVolume, 0);
  EXPECT_EQ(persist::LoadSettingsFile("Save").Get("effects_volume"), "100");
}

TEST(CommandLine, RefusesBadDisplayValues) {
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"--scale", "blurry"},
                                             {"--window-scale", "0"},
                                             {"--window-scale", "12"},
                                             {"--vsync"},
                                             {"--full"},
                                             {"--scale", "--vsync", "on"}}) {
    EXPECT_THROW(ParseCommandLine(args), std::invalid_argument) << args[0];
  }
  EXPECT_EQ(ParseCommandLine({"--fullscreen", "--window"}).fullScreen, false);  // the last wins
}

TEST(WindowScale, TheLargestWholeFactorOnADenseDisplayOnly) {
  EXPECT_EQ(platform::WindowScaleFor(96, 3840, 2100, 800, 600), 1);   // not dense
  EXPECT_EQ(platform::WindowScaleFor(144, 3840, 2100, 800, 600), 3);  // 1800 ≤ 90 % of 2100
  EXPECT_EQ(platform::WindowScaleFor(192, 3840, 1990, 800, 600), 2);  // 1800 > 1791
  EXPECT_EQ(platform::WindowScaleFor(192, 1500, 2100, 800, 600), 1);  // the width binds
  EXPECT_EQ(platform::WindowScaleFor(192, 2560, 600, 800, 600), 1);   // never below 1
}

}  // namespace
