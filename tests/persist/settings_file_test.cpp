#include "persist/settings_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/temp_dir.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

std::string Text(const std::vector<uint8_t>& bytes) {
  return {bytes.begin(), bytes.end()};
}

auto OneOf(std::initializer_list<const char*> values) {
  return [values](const std::string& v) {
    for (const char* allowed : values)
      if (v == allowed) return true;
    return false;
  };
}

TEST(SettingsFile, KeepsWhatItDoesNotKnowAndMendsBadValues) {
  auto file = persist::TSettingsFile::Parse(
      Bytes("# mine\r\nscale=blurry\nfuture_key=42\nno equals sign\n=x\nvsync=off"));
  EXPECT_EQ(file.Setting("scale", "sharp", OneOf({"sharp", "integer", "smooth"})), "sharp");
  EXPECT_EQ(file.Setting("vsync", "on", OneOf({"on", "off"})), "off");
  EXPECT_EQ(file.Setting("score_server", "", [](const std::string&) { return true; }), "");
  EXPECT_EQ(file.Get("future_key"), "42");
  EXPECT_EQ(file.Get("missing"), std::nullopt);
  EXPECT_EQ(Text(file.Bytes()),
            "# mine\nscale=sharp\nfuture_key=42\nno equals sign\n=x\nvsync=off\nscore_server=\n");
  // A value may hold "=" itself.
  file.Set("score_server", "http://host:8080/?a=b");
  EXPECT_EQ(persist::TSettingsFile::Parse(file.Bytes()).Get("score_server"),
            "http://host:8080/?a=b");
}

TEST(SettingsFile, ForeignBytesReadAsAnEmptyFile) {
  EXPECT_EQ(persist::TSettingsFile::Parse(Bytes(std::string("scale=smooth\n\0", 14))).Get("scale"),
            std::nullopt);
  EXPECT_EQ(
      persist::TSettingsFile::Parse(Bytes("scale=smooth\n" + std::string(70000, 'x'))).Get("scale"),
      std::nullopt);
}

TEST(SettingsFile, SavedInOneStepBesideTheOptions) {
  test_support::TTempWorkDir dir;
  EXPECT_EQ(persist::LoadSettingsFile("Save").Get("scale"), std::nullopt);
  auto file = persist::TSettingsFile::Parse(Bytes("x=1\n"));
  file.Set("scale", "integer");
  ASSERT_TRUE(persist::SaveSettingsFile("Save", file));
  EXPECT_EQ(persist::LoadSettingsFile("Save").Get("scale"), "integer");
  EXPECT_FALSE(std::filesystem::exists("Save/settings.tmp"));
  std::filesystem::remove("Save/settings");
  std::filesystem::create_directories("Save/settings.tmp");  // cannot be written
  EXPECT_FALSE(persist::SaveSettingsFile("Save", file));
}

}  // namespace
