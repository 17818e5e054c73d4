#include "persist/replay_file.h"

#include <gtest/gtest.h>

#include "persist/replay_store.h"
#include "persist/sha256.h"
#include "platform/file_io.h"
#include "support/temp_dir.h"

namespace {

using persist::DecodeReplay;
using persist::EncodeReplay;
using persist::EReplayError;

persist::TReplay SampleReplay() {
  persist::TReplay replay;
  replay.GameVersion = "0.1.0";
  replay.Rules = persist::Sha256(std::vector<uint8_t>{1, 2, 3});
  replay.Result = {
      "\xC8\xE2\xE0\xED", "_______", 12345, 4, 2, 3600, persist::TReplayEnding::GameOver};
  replay.Start.assign(200, 7);
  replay.Tape.assign(3600 * 12, 0);
  for (size_t i = 0; i < replay.Tape.size(); i += 12) replay.Tape[i] = 2;
  return replay;
}

void Put32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

TEST(Sha256, KnownDigests) {
  const struct {
    std::string text;
    const char* hex;
  } cases[] = {
      {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
      {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
      {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
       "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
  };
  for (const auto& c : cases) {
    persist::TSha256Hasher hasher;
    hasher.Add(c.text);
    EXPECT_EQ(persist::HexOf(hasher.Finish()), c.hex) << c.text;
  }
}

TEST(ReplayFile, RoundTripsAndPacksSmall) {
  const persist::TReplay replay = SampleReplay();
  const std::vector<uint8_t> bytes = EncodeReplay(replay);
  EXPECT_LT(bytes.size(), 2000u);
  const persist::TReplay back = DecodeReplay(bytes);
  EXPECT_EQ(back.GameVersion, replay.GameVersion);
  EXPECT_EQ(back.Rules, replay.Rules);
  EXPECT_EQ(back.Result, replay.Result);
  EXPECT_EQ(back.Start, replay.Start);
  EXPECT_EQ(back.Tape, replay.Tape);
}

// The header's fields from its start: magic 8, format 2, version 1+5, rules 32, name 1+4,
// country 1+7, score, level, lives 4 each, frames 8, ending 1, then the three sizes.
constexpr size_t kFramesAt = 8 + 2 + 6 + 32 + 5 + 8 + 12;
constexpr size_t kSizesAt = kFramesAt + 8 + 1;

TEST(ReplayFile, HostileFilesAreRefusedWithWhatWasWrong) {
  const std::vector<uint8_t> good = EncodeReplay(SampleReplay());
  auto edited = [&good](auto edit) {
    std::vector<uint8_t> bytes = good;
    edit(bytes);
    return bytes;
  };
  const struct {
    std::vector<uint8_t> bytes;
    const char* says;
  } cases[] = {
      {{'h', 's'}, "not a replay"},
      {edited([](auto& b) { b[8] = 2; }), "format 2"},
      {edited([](auto& b) { b.resize(40); }), "cut short"},
      {edited([](auto& b) { b.resize(b.size() - 1); }), "wrong size"},
      {edited([](auto& b) { b[kFramesAt + 5] = 1; }), "frames in"},  // 2^40 frames
      {edited([](auto& b) { Put32(b, kSizesAt + 4, 1u << 30); }), "more than"},
      {edited([](auto& b) { Put32(b, kSizesAt, 1u << 20); }), "more than"},
      {edited([](auto& b) { b[kFramesAt + 8] = 9; }), "ending 9"},
      {edited([](auto& b) { b[b.size() - 20] ^= 0x10; }), "damaged"},
      {std::vector<uint8_t>(persist::kMostReplayFileBytes + 1), "more than"},
  };
  for (const auto& c : cases) {
    try {
      DecodeReplay(c.bytes);
      FAIL() << "accepted: " << c.says;
    } catch (const EReplayError& error) {
      EXPECT_NE(std::string(error.what()).find(c.says), std::string::npos) << error.what();
    }
  }
}

TEST(ReplayStore, ATableReplayGoesWhenItsGameLeavesTheTable) {
  test_support::TTempWorkDir dir;
  const std::string save = "Save";
  persist::TReplay onTable = SampleReplay();
  persist::TReplay offTable = SampleReplay();
  offTable.Result.Score = 10;
  std::string why;
  const std::vector<uint8_t> bytes = EncodeReplay(onTable);
  ASSERT_FALSE(persist::KeepReplay(save, "12345-00000001", bytes, why).empty()) << why;
  ASSERT_FALSE(persist::KeepReplay(save, "10-00000002", EncodeReplay(offTable), why).empty());
  ASSERT_FALSE(
      persist::KeepReplay(save, persist::kLastReplay, EncodeReplay(offTable), why).empty());
  ASSERT_TRUE(platform::WriteWholeFile("Save/replays/notes.perolet-replay", {'x'}, why));

  persist::THighScoreTable table;
  persist::DefaultHighScores(table);
  table[3] = {onTable.Result.Name, onTable.Result.Score};
  persist::PruneReplays(save, table);
  auto there = [](const char* name) {
    return platform::PathKind(std::string("Save/replays/") + name) == platform::TPathKind::File;
  };
  EXPECT_TRUE(there("12345-00000001.perolet-replay"));
  EXPECT_FALSE(there("10-00000002.perolet-replay"));
  EXPECT_TRUE(there("last.perolet-replay"));
  EXPECT_TRUE(there("notes.perolet-replay"));  // not one of ours: left alone
}

}  // namespace
