#include "res_tool.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "engine/picture_collection.h"
#include "engine/wave_collection.h"
#include "support/temp_dir.h"

namespace {

struct TResult {
  int status;
  std::string out;
  std::string err;
};

TResult RunTool(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  const int status = res_tool::Run(args, out, err);
  return {status, out.str(), err.str()};
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

std::string CommandOutput(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  std::string text;
  char buffer[256];
  while (pipe && fgets(buffer, sizeof buffer, pipe.get())) text += buffer;
  return text;
}

struct ResToolFixture : ::testing::Test {
  test_support::TTempWorkDir dir;

  void SetUp() override {
    engine::TPictureCollection images;
    auto& bird = images.Add();
    bird.SetName("\xD3\xF2\xEA\xE0");  // "Утка"
    bird.Picture = engine::TDIB::FromPixels(4, 2, {1, 2, 3, 4, 0xFF00FF, 6, 7, 8});
    bird.PatternWidth = 2;
    bird.SetTransparentColor(0x0000FF);  // red, as 0x00BBGGRR
    images.SaveToFile("images.dxg");

    engine::TWaveCollection waves;
    auto& shot = waves.Add();
    shot.SetName("Shot");
    shot.Wave = engine::TWave::FromPcm16(22050, 2, {1, 2, 3, 4, 5, 6});
    shot.SetMaxPlayingCount(3);
    waves.SaveToFile("sounds.dxw");
    riff = shot.Wave.Riff();
  }
  std::vector<uint8_t> riff;
};

TEST_F(ResToolFixture, ListsImagesAndWavesOneLineAnItem) {
  TResult images = RunTool({"list", "images.dxg"});
  EXPECT_EQ(images.status, 0) << images.err;
  EXPECT_EQ(images.out, "Утка  picture 4x2  pattern 2x2  patterns 2  transparent #ff0000\n");
  TResult waves = RunTool({"list", "sounds.dxw"});
  EXPECT_EQ(waves.status, 0) << waves.err;
  EXPECT_EQ(waves.out, "Shot  format 22050 Hz 16-bit 2 ch  samples 3  looped no  max playing 3\n");
}

TEST_F(ResToolFixture, ExtractsAPictureAsPngAndAWaveAsStored) {
  TResult wave = RunTool({"extract", "sounds.dxw", "shot", "out"});
  EXPECT_EQ(wave.status, 0) << wave.err;
  EXPECT_EQ(ReadBytes("out.wav"), riff);
  TResult picture = RunTool({"extract", "images.dxg", "утка", "bird.png"});
  EXPECT_EQ(picture.status, 0) << picture.err;
  const auto png = ReadBytes("bird.png");
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(png[1], 'P');
  if (std::system("identify -version > /dev/null 2>&1") != 0) GTEST_SKIP() << "no identify";
  EXPECT_EQ(CommandOutput("identify -format '%wx%h' bird.png"), "4x2");
  EXPECT_EQ(CommandOutput("convert bird.png -format '%[pixel:p{0,1}]' info:"), "srgb(255,0,255)");
}

TEST_F(ResToolFixture, ErrorsCarryTheReadersMessage) {
  TResult missing = RunTool({"list", "nothing.dxg"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err,
            "perolet-res: Cannot open file \"nothing.dxg\". No such file or directory\n");
  std::ofstream("broken.dxg") << "not a list";
  EXPECT_EQ(RunTool({"list", "broken.dxg"}).err, "perolet-res: Invalid stream format\n");
  EXPECT_EQ(RunTool({"extract", "images.dxg", "Plane", "x"}).err,
            "perolet-res: Image 'Plane' not found\n");
  EXPECT_EQ(RunTool({"list"}).status, 2);
  EXPECT_EQ(RunTool({"extract", "images.dxg", "x"}).status, 2);
}

}  // namespace
