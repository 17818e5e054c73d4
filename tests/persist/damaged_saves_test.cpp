#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "persist/save_files.h"
#include "support/temp_dir.h"

// A save file the game cannot read never stops it from starting and is never lost: it is set
// aside and the game starts as if it were missing.

namespace {

namespace fs = std::filesystem;
constexpr const char* kFolder = "Data/Save";

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

struct TLoaded {
  persist::TGameOptions options;
  uint8_t shift = 0;
  uint16_t key = 0;
  std::string check;
  persist::THighScoreTable table{};
  std::vector<persist::TSetAside> setAside;

  TLoaded() { setAside = persist::LoadSaveFiles(kFolder, {options, shift, key, check}, table); }
};

std::string RandomBytes(size_t size) {
  std::mt19937 random(7);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

// A good pair whose table's first entry is Ann's 7000.
void WriteGoodPair() {
  persist::THighScoreTable table{};
  persist::DefaultHighScores(table);
  table[11] = {"Ann", 7000};
  persist::InsertHighScore(table);
  persist::TGameOptions options{true, false, true, "RU"};
  uint8_t shift = 0;
  uint16_t key = 0;
  std::string check;
  persist::WriteSaveFiles(kFolder, {options, shift, key, check}, table);
}

TEST(DamagedSaves, ADamagedTableIsSetAsideAndTheDefaultsStart) {
  const std::vector<std::pair<const char*, std::string>> damages = {
      {"text in a score", "Ann\r\nlots\r\n"},
      {"a score past 32 bits", "Ann\r\n2147483648\r\n"},
      {"five megabytes of random bytes", RandomBytes(5 << 20)},
      {"a control byte in a name", std::string("An\0n\r\n10\r\n", 10)},
  };
  for (const auto& [what, bytes] : damages) {
    test_support::TTempWorkDir dir;
    WriteGoodPair();
    dir.Write("Data/Save/hs", bytes);
    dir.Write("Data/Save/hs.damaged", "an older one");
    const TLoaded first;
    EXPECT_EQ(first.table[1].Points, 5000) << what;  // the defaults
    EXPECT_TRUE(first.options.FullScreen) << what;   // the options were good and stay
    ASSERT_EQ(first.setAside.size(), 1u) << what;
    EXPECT_EQ(first.setAside[0].file, "hs");
    EXPECT_EQ(first.setAside[0].asidePath, fs::absolute("Data/Save/hs.damaged").string());
    EXPECT_NE(persist::SetAsideNotice(first.setAside[0]).find("/Data/Save/hs.damaged"),
              std::string::npos);
    EXPECT_FALSE(fs::exists("Data/Save/hs")) << what;
    EXPECT_EQ(ReadText("Data/Save/hs.damaged"), bytes) << what;
    const TLoaded second;  // the next start finds nothing to set aside and loses nothing
    EXPECT_TRUE(second.setAside.empty());
    EXPECT_EQ(ReadText("Data/Save/hs.damaged"), bytes) << what;
  }
}

TEST(DamagedSaves, DamagedOptionsGiveTheDefaultsAndTheTableIsKeptAside) {
  test_support::TTempWorkDir dir;
  WriteGoodPair();
  const std::string table = ReadText("Data/Save/hs");
  dir.Write("Data/Save/options", "1\r\nyes\r\n");
  const TLoaded loaded;
  ASSERT_EQ(loaded.setAside.size(), 1u);
  EXPECT_EQ(loaded.setAside[0].file, "options");
  EXPECT_FALSE(loaded.options.FullScreen);  // the defaults, not the "1" read before the fault
  EXPECT_EQ(loaded.options.Country, "_______");
  EXPECT_EQ(ReadText("Data/Save/options.damaged"), "1\r\nyes\r\n");
  // Without its checksum the table returns to the defaults, as it always did, but its file
  // is kept for the player.
  EXPECT_EQ(loaded.table[1].Points, 5000);
  EXPECT_EQ(ReadText("Data/Save/hs.replaced"), table);
  // The player is told of both files.
  const std::string notice = persist::SetAsideNotice(loaded.setAside[0]);
  EXPECT_NE(notice.find("/Data/Save/options.damaged"), std::string::npos) << notice;
  EXPECT_NE(notice.find("/Data/Save/hs.replaced"), std::string::npos) << notice;
  EXPECT_NE(notice.find("таблицей рекордов по умолчанию"), std::string::npos) << notice;
}

TEST(DamagedSaves, AFolderWhereAFileShouldBeIsSetAside) {
  test_support::TTempWorkDir dir;
  WriteGoodPair();
  fs::remove("Data/Save/hs");
  fs::create_directories("Data/Save/hs/inside");
  const TLoaded loaded;
  ASSERT_EQ(loaded.setAside.size(), 1u);
  EXPECT_TRUE(fs::is_directory("Data/Save/hs.damaged/inside"));
  EXPECT_EQ(loaded.table[1].Points, 5000);
}

TEST(DamagedSaves, AByteOrderMarkIsNotDamage) {
  test_support::TTempWorkDir dir;
  WriteGoodPair();
  dir.Write("Data/Save/options", "\xEF\xBB\xBF" + ReadText("Data/Save/options"));
  dir.Write("Data/Save/hs", "\xEF\xBB\xBF" + ReadText("Data/Save/hs"));
  const TLoaded loaded;
  EXPECT_TRUE(loaded.setAside.empty());
  EXPECT_TRUE(loaded.options.FullScreen);
  EXPECT_EQ(loaded.table[1].Name, "Ann");  // the checksum still matches
}

TEST(DamagedSaves, AHandEditedTableIsResetButItsFileKept) {
  test_support::TTempWorkDir dir;
  WriteGoodPair();
  std::string table = ReadText("Data/Save/hs");
  table.replace(table.find("7000"), 4, "9000");
  dir.Write("Data/Save/hs", table);
  const TLoaded loaded;
  EXPECT_TRUE(loaded.setAside.empty());
  EXPECT_EQ(loaded.table[1].Points, 5000);
  EXPECT_EQ(ReadText("Data/Save/hs.replaced"), table);
  EXPECT_EQ(ReadText("Data/Save/hs"), table);  // untouched until the next save
}

}  // namespace
