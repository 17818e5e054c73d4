#include <gtest/gtest.h>
#include <xmp.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>

#include "asset_build.h"
#include "engine/picture_collection.h"
#include "engine/wave_collection.h"
#include "music.h"
#include "music_instruments.h"
#include "synth.h"
#include "xm_writer.h"

namespace {

namespace fs = std::filesystem;
const fs::path kData = PEROLET_GAME_DATA_DIR;

std::vector<uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Every image the game looks up, with the patterns its indexes need.
const std::map<std::string, int> kList1Images = {
    {"MMB", 1},         {"MM_1_I", 1},     {"MM_1_A", 1},
    {"MM_2_I", 1},      {"MM_2_A", 1},     {"MM_3_I", 1},
    {"MM_3_A", 1},      {"MM_4_I", 1},     {"MM_4_A", 1},
    {"MM_5_I", 1},      {"MM_5_A", 1},     {"MM_6_I", 1},
    {"MM_6_A", 1},      {"Window", 1},     {"Yes", 2},
    {"No", 2},          {"Cursor", 1},     {"Cap_Opt", 1},
    {"Cap_HS", 1},      {"Cap_Help", 1},   {"Sub_Bg", 1},
    {"Sub_BG", 1},      {"HS_Bg", 1},      {"OptB_I", 1},
    {"OptB_A", 1},      {"Back_I", 1},     {"Back_A", 1},
    {"Clear_HS_I", 1},  {"Clear_HS_A", 1}, {"Visit_WHS_I", 1},
    {"Visit_WHS_A", 1}, {"Prev_I", 1},     {"Prev_A", 1},
    {"Next_I", 1},      {"Next_A", 1},     {"HelpAirplane", 1},
    {"HelpBird", 1},    {"HelpDog", 1},    {"HelpHelicopter", 1},
    {"HelpHunter", 1},  {"HelpLogo", 1},
};

const std::map<std::string, int> kList2Images = {
    {"SkyTile", 1},
    {"Hills1", 1},
    {"Hills2", 1},
    {"Player", 8},
    {"PlayerExplosion", 4},
    {"Hero", 1},
    {"HeroAnim", 4},
    {"HeroExplosion", 4},
    {"GunBulletRed", 1},
    {"BombBullet", 1},
    {"MegaBullet", 1},
    {"MegaBulletR", 1},
    {"RocketBulletRed", 1},
    {"GunBulletRedTilted", 1},
    {"RocketBulletRedTilted", 3},
    {"Explosion", 6},
    {"EngineFire", 4},
    {"BNull", 2},
    {"BScore", 2},
    {"BRocket", 2},
    {"BHero", 2},
    {"BMegaBomb", 2},
    {"BLife", 2},
    {"BSingleGun", 2},
    {"BMultiGun", 2},
    {"BRocket3x", 2},
    {"MAirplane", 1},
    {"MAirplaneAnim", 4},
    {"MBird", 1},
    {"MBirdEat", 3},
    {"MBirdFall", 1},
    {"MDog", 1},
    {"MDogFall", 1},
    {"MHelicopter", 1},
    {"MHelicopterAnim", 3},
    {"Hunter1", 2},
    {"Hunter2", 2},
    {"Hunter3", 2},
    {"Hunter1Fall", 1},
    {"Hunter2Fall", 1},
    {"Hunter3Fall", 1},
    {"Panels", 1},
    {"PanelLife", 1},
    {"PanelHero", 1},
    {"PanelMegaBomb", 1},
    {"PanelRocket3x", 1},
    {"PanelRocket", 1},
    {"PanelSingleGun", 1},
    {"PanelMultiGun", 1},
    {"Null", 1},
};

const char* const kSounds[] = {
    "Button", "Bonus", "GameOver",   "Reborn",   "PlayerKill", "HeroKill",   "Laser", "Laser2",
    "Rocket", "Rail",  "Explosion2", "BirdKill", "DogKill",    "HunterKill", "Shot1", "Shot3"};

void ExpectImages(const engine::TPictureCollection& list, const std::map<std::string, int>& need) {
  for (const auto& [name, patterns] : need) {
    const auto* item = list.Find(name);
    ASSERT_NE(item, nullptr) << name;
    EXPECT_GE(item->PatternCount(), patterns) << name;
  }
}

TEST(GameData, EveryImageAndSoundTheGameNamesIsThere) {
  engine::TPictureCollection res1, res2;
  res1.LoadFromFile((kData / "Res" / "Res1.dxg").string());
  res2.LoadFromFile((kData / "Res" / "Res2.dxg").string());
  ExpectImages(res1, kList1Images);
  ExpectImages(res2, kList2Images);
  // The sizes the game's coordinates rely on.
  EXPECT_EQ(res1.FindImage("MMB").Width(), 800);
  EXPECT_EQ(res1.FindImage("MMB").Height(), 600);
  EXPECT_GE(res2.FindImage("SkyTile").Width(), 267);
  EXPECT_GE(res2.FindImage("Hills1").Width(), 800);
  EXPECT_GE(res2.FindImage("Hills1").Height(), 600 - 494);
  EXPECT_GE(res2.FindImage("Hills2").Height(), 600 - 444);
  EXPECT_EQ(res2.FindImage("Hero").Width(), 55);
  EXPECT_EQ(res2.FindImage("Hero").Height(), 48);
  EXPECT_EQ(res2.FindImage("Panels").Width(), 800);
  // The Yes and No buttons fit inside the window at their places.
  EXPECT_LE(446 + res1.FindImage("No").Width(), 256 + res1.FindImage("Window").Width());

  engine::TWaveCollection sounds;
  sounds.LoadFromFile((kData / "Res" / "Sounds.dxw").string());
  for (const char* name : kSounds) {
    const auto* wave = sounds.Find(name);
    ASSERT_NE(wave, nullptr) << name;
    ASSERT_TRUE(wave->Wave.Pcm()) << name;
    EXPECT_EQ(wave->Wave.Pcm()->bits, 16) << name;
  }
}

// An effect's loudness as assetgen measures it (its loudest 50 ms), in dB below full scale.
double LoudnessDb(const engine::TWaveCollectionItem& item) {
  const auto& data = item.Wave.Data;
  assetgen::synth::TSamples samples;
  for (size_t i = 0; i + 1 < data.size(); i += 2)
    samples.push_back(static_cast<int16_t>(data[i] | (data[i + 1] << 8)) / 32768.0f);
  return 20 * std::log10(assetgen::synth::LoudestRms(samples, item.Wave.Pcm()->rate));
}

// Each effect at its own loudness: a button's click well under a blast, the laser that
// repeats three times a second under a kill, the hunters' shots under the craft's end; none
// clips.
TEST(GameData, EffectsKeepTheirOrderOfLoudnessAndNeverClip) {
  engine::TWaveCollection sounds;
  sounds.LoadFromFile((kData / "Res" / "Sounds.dxw").string());
  const struct {
    const char* quieter;
    const char* louder;
    double marginDb;
  } kOrder[] = {{"Button", "Explosion2", 10}, {"Button", "Laser", 1},
                {"Laser", "BirdKill", 6},     {"Laser", "HunterKill", 6},
                {"Laser2", "Explosion2", 6},  {"Shot1", "PlayerKill", 6}};
  for (const auto& pair : kOrder)
    EXPECT_GE(LoudnessDb(sounds.FindWave(pair.louder)) - LoudnessDb(sounds.FindWave(pair.quieter)),
              pair.marginDb)
        << pair.quieter << " under " << pair.louder;
  for (int i = 0; i < sounds.Count(); ++i) {
    const auto& data = sounds.Items(i).Wave.Data;
    for (size_t j = 0; j + 1 < data.size(); j += 2)
      ASSERT_LT(std::abs(static_cast<int16_t>(data[j] | (data[j + 1] << 8))), 32000)
          << sounds.Items(i).Name();
  }
}

// The centre of the first pattern's pixels close to a colour (all that are not the key when
// none is given), and how many there are.
struct TCentre {
  double x = 0, y = 0;
  int count = 0;
};
TCentre CentreOf(const engine::TPictureCollectionItem& item, std::optional<uint32_t> colour) {
  constexpr uint32_t kKey = 0xFF00FF;
  auto near = [](uint32_t a, uint32_t b) {
    int distance = 0;
    for (int shift : {0, 8, 16})
      distance += std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF));
    return distance < 60;
  };
  TCentre c;
  for (int y = 0; y < item.Height(); ++y)
    for (int x = 0; x < item.Width(); ++x) {
      const uint32_t pixel = item.Picture.Pixel(x, y);
      if (pixel == kKey || (colour && !near(pixel, *colour))) continue;
      c.x += x;
      c.y += y;
      ++c.count;
    }
  if (c.count) c = {c.x / c.count, c.y / c.count, c.count};
  return c;
}

// Drawn as the game draws a shot (turned by its angle, and an eighth of a turn more when
// tilted), each picture points along the shot's flight: the player's straight right, the
// hunters' up and to the left. A rocket points away from its flame, a gun shot towards its
// hot tip.
TEST(GameData, ShotsPointAlongTheirFlightOnceTurned) {
  engine::TPictureCollection res2;
  res2.LoadFromFile((kData / "Res" / "Res2.dxg").string());
  constexpr double kUnitsPerTurn = 256, kTilt = 32;
  struct {
    const char* picture;
    int flightAngle;  // in 256ths of a turn, as the game fires it
    bool tilted;
  } const shots[] = {{"RocketBulletRed", 0, false},
                     {"GunBulletRed", 0, false},
                     {"RocketBulletRedTilted", -102, true},
                     {"GunBulletRedTilted", -92, true},
                     {"GunBulletRedTilted", -90, true}};
  for (const auto& shot : shots) {
    SCOPED_TRACE(shot.picture);
    const auto& item = res2.FindImage(shot.picture);
    const TCentre all = CentreOf(item, std::nullopt);
    const bool rocket = std::string(shot.picture).starts_with("Rocket");
    const TCentre mark = CentreOf(item, rocket ? 0xFFB02A : 0xFFE0A0);
    ASSERT_GT(mark.count, 0);
    const double dx = rocket ? all.x - mark.x : mark.x - all.x;
    const double dy = rocket ? all.y - mark.y : mark.y - all.y;
    const double drawnTurn = (shot.flightAngle + (shot.tilted ? kTilt : 0)) / kUnitsPerTurn;
    const double pointing = std::atan2(dy, dx) / (2 * M_PI) + drawnTurn;
    double miss = std::remainder(pointing - shot.flightAngle / kUnitsPerTurn, 1.0);
    EXPECT_LT(std::abs(miss) * 360, 12) << "degrees off the flight";
  }
}

TEST(GameData, ModulesLoadInTheMusicLibraryAndRunOverAMinute) {
  for (const char* name : {"Menu.xm", "Race.xm"}) {
    xmp_context context = xmp_create_context();
    const std::string path = (kData / "Music" / name).string();
    ASSERT_EQ(xmp_load_module(context, path.c_str()), 0) << name;
    xmp_module_info info;
    xmp_get_module_info(context, &info);
    EXPECT_EQ(info.mod->chn, 8) << name;
    EXPECT_EQ(info.mod->ins, 7) << name;
    EXPECT_GE(info.mod->pat, 6) << name;
    EXPECT_GE(info.seq_data[0].duration, 60000) << name;
    EXPECT_LE(info.seq_data[0].duration, 180000) << name;
    // It plays: rendering a second of it gives sound, not silence.
    ASSERT_EQ(xmp_start_player(context, 44100, 0), 0);
    std::vector<int16_t> buffer(44100 * 2);
    int loud = 0;
    for (int i = 0; i < 20; ++i) {
      xmp_play_buffer(context, buffer.data(), static_cast<int>(buffer.size() * 2) / 20, 0);
      for (size_t j = 0; j < buffer.size() / 20; ++j) loud += std::abs(buffer[j]) > 1000;
    }
    EXPECT_GT(loud, 1000) << name;
    xmp_end_player(context);
    xmp_release_module(context);
    xmp_free_context(context);
  }
}

// How far into a module its backing (every channel but those that play the tune) first plays
// four bars in a row that it played before; the whole module when it never does.
double SecondsBeforeTheBackingRepeats(const assetgen::xm::TModule& module) {
  constexpr int kRowsPerBar = 16;
  constexpr size_t kBarsHeard = 4;
  std::set<int> tune;
  for (const auto& pattern : module.patterns)
    for (size_t i = 0; i < pattern.cells.size(); ++i)
      if (pattern.cells[i].instrument == assetgen::kLead) tune.insert(int(i % module.channels));
  std::vector<std::string> bars;
  for (uint8_t index : module.order) {
    const auto& pattern = module.patterns.at(index);
    for (int row = 0; row < pattern.rows; ++row) {
      if (row % kRowsPerBar == 0) bars.emplace_back();
      for (int channel = 0; channel < module.channels; ++channel) {
        if (tune.contains(channel)) continue;
        const auto& c = pattern.cells[size_t(row) * module.channels + channel];
        bars.back() +=
            {char(c.note), char(c.instrument), char(c.volume), char(c.effect), char(c.param)};
      }
    }
  }
  const double secondsPerBar = kRowsPerBar * module.tempo * 2.5 / module.bpm;
  for (size_t start = 1; start + kBarsHeard <= bars.size(); ++start)
    for (size_t before = 0; before < start; ++before)
      if (std::equal(bars.begin() + start, bars.begin() + start + kBarsHeard,
                     bars.begin() + before))
        return start * secondsPerBar;
  return bars.size() * secondsPerBar;
}

// Under the tune, four bars of backing coming round every 6.4 s are heard as a short loop.
TEST(GameData, TheRaceMusicPlaysOverAMinuteBeforeItsBackingComesRound) {
  EXPECT_GE(SecondsBeforeTheBackingRepeats(assetgen::RaceModule()), 60);
}

TEST(GameData, TheGeneratorGivesTheSameBytesAsTheBuild) {
  assetgen::TGameData data;
  assetgen::BuildGameData(data);
  EXPECT_EQ(data.res1.SaveToBytes(), ReadBytes(kData / "Res" / "Res1.dxg"));
  EXPECT_EQ(data.res2.SaveToBytes(), ReadBytes(kData / "Res" / "Res2.dxg"));
  EXPECT_EQ(data.sounds.SaveToBytes(), ReadBytes(kData / "Res" / "Sounds.dxw"));
  EXPECT_EQ(assetgen::xm::Write(data.menu), ReadBytes(kData / "Music" / "Menu.xm"));
  EXPECT_EQ(assetgen::xm::Write(data.race), ReadBytes(kData / "Music" / "Race.xm"));
}

}  // namespace
