#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <random>

#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "engine/engine_error.h"
#include "persist/save_files.h"
#include "support/temp_dir.h"
#include "text/cp1251.h"

// A save killed or refused at any point leaves, at the next start, exactly the pair of files
// before it or exactly the pair after it: never a mix, never a table reset by a checksum that
// belongs to the other half.

namespace {

namespace fs = std::filesystem;
constexpr const char* kFolder = "Data/Save";

struct TSave {
  persist::TGameOptions options;
  uint8_t shift = 0;
  uint16_t key = 0;
  std::string check;
  persist::THighScoreTable table{};
  persist::TSettingsRef Ref() { return {options, shift, key, check}; }
};

// Two saves that differ in every file: the player's first records, then a new best and
// other settings.
TSave OldSave() {
  TSave s;
  s.options = {false, true, true, "RU"};
  s.shift = 2;
  s.key = 120;
  persist::DefaultHighScores(s.table);
  s.table[11] = {"Ann", 4200};
  persist::InsertHighScore(s.table);
  return s;
}

TSave NewSave() {
  TSave s = OldSave();
  s.options = {true, false, true, text::Cp1251FromUtf8("Россия")};
  s.key = 123;
  s.table[11] = {"Bob", 9000};
  persist::InsertHighScore(s.table);
  return s;
}

enum class TOutcome { Old, New, Mixed };

bool SameTable(const persist::THighScoreTable& a, const persist::THighScoreTable& b) {
  for (int i = 1; i <= persist::kTableSize; ++i)
    if (a[i].Name != b[i].Name || a[i].Points != b[i].Points) return false;
  return true;
}

bool SameSettings(const TSave& a, const TSave& b) {
  return a.options.FullScreen == b.options.FullScreen && a.options.Music == b.options.Music &&
         a.options.Country == b.options.Country && a.key == b.key;
}

// The next start's loading path, and which pair it found.
TOutcome LoadOutcome() {
  TSave loaded;
  const auto setAside = persist::LoadSaveFiles(kFolder, loaded.Ref(), loaded.table);
  EXPECT_TRUE(setAside.empty());
  EXPECT_EQ(loaded.check, persist::HighScoreChecksum(loaded.table)) << "the table was reset";
  for (const char* leftover : {"options.tmp", "hs.tmp", "save.commit"})
    EXPECT_FALSE(fs::exists(fs::path(kFolder) / leftover)) << leftover;
  const TSave before = OldSave();
  const TSave after = NewSave();
  if (SameTable(loaded.table, before.table) && SameSettings(loaded, before)) return TOutcome::Old;
  if (SameTable(loaded.table, after.table) && SameSettings(loaded, after)) return TOutcome::New;
  return TOutcome::Mixed;
}

void WriteOldPair() {
  fs::remove_all(kFolder);
  TSave old = OldSave();
  persist::WriteSaveFiles(kFolder, old.Ref(), old.table);
}

// Runs the new save in a child process; `inChild` prepares the child first. Returns the
// child's wait status.
template <typename TPrepare>
int SaveInChild(TPrepare inChild, const persist::TCommitStep& afterStep = {}) {
  const pid_t child = fork();
  if (child == 0) {
    inChild();
    TSave next = NewSave();
    try {
      persist::WriteSaveFiles(kFolder, next.Ref(), next.table, afterStep);
    } catch (const engine::EInOutError& error) {
      const bool diskFull = std::string(error.what()).rfind("Disk full: /", 0) == 0;
      _exit(diskFull ? 3 : 4);
    }
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return status;
}

int CountCommitSteps() {
  test_support::TTempWorkDir scratch;
  int steps = 0;
  TSave next = NewSave();
  persist::WriteSaveFiles(kFolder, next.Ref(), next.table, [&steps] { ++steps; });
  return steps;
}

TEST(SaveCommit, AKillAfterAnyStepLeavesTheOldPairOrTheNewOne) {
  const int steps = CountCommitSteps();
  ASSERT_GE(steps, 6);
  test_support::TTempWorkDir dir;
  int olds = 0;
  int news = 0;
  for (int killAt = 0; killAt <= steps; ++killAt) {
    WriteOldPair();
    int step = 0;
    const int status = SaveInChild([] {},
                                   [&step, killAt] {
                                     if (++step == killAt) raise(SIGKILL);
                                   });
    ASSERT_EQ(killAt > 0 && killAt <= steps, WIFSIGNALED(status)) << killAt;
    const TOutcome outcome = LoadOutcome();
    ASSERT_NE(outcome, TOutcome::Mixed) << "killed after step " << killAt;
    (outcome == TOutcome::Old ? olds : news) += 1;
    // Once the marker is down the save is the new one; before it, the old one.
    if (killAt == 0 || killAt == steps) {
      EXPECT_EQ(outcome, TOutcome::New);
    }
  }
  std::cout << "kills after each of " << steps << " steps: " << olds << " old pairs, " << news
            << " new pairs\n";
  EXPECT_GT(olds, 0);
  EXPECT_GT(news, 1);
}

TEST(SaveCommit, KillsAtRandomInstantsLeaveTheOldPairOrTheNewOne) {
  test_support::TTempWorkDir dir;
  WriteOldPair();
  const auto start = std::chrono::steady_clock::now();
  SaveInChild([] {});
  const auto took = std::chrono::steady_clock::now() - start;
  const auto span = std::chrono::duration_cast<std::chrono::microseconds>(took).count() * 3 / 2;
  std::mt19937 random(20261209);
  constexpr int kRuns = 300;
  int olds = 0;
  int news = 0;
  int killed = 0;
  for (int run = 0; run < kRuns; ++run) {
    WriteOldPair();
    const pid_t child = fork();
    if (child == 0) {
      TSave next = NewSave();
      persist::WriteSaveFiles(kFolder, next.Ref(), next.table);
      _exit(0);
    }
    usleep(static_cast<useconds_t>(std::uniform_int_distribution<int64_t>(0, span)(random)));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    killed += WIFSIGNALED(status) ? 1 : 0;
    const TOutcome outcome = LoadOutcome();
    ASSERT_NE(outcome, TOutcome::Mixed) << "run " << run;
    (outcome == TOutcome::Old ? olds : news) += 1;
  }
  std::cout << kRuns << " runs killed at random within " << span << " us: " << killed
            << " killed before the end, " << olds << " old pairs, " << news << " new pairs\n";
}

// A file-size limit stands in for a disk that fills at each byte offset of each file.
TEST(SaveCommit, ADiskThatFillsAtAnyByteKeepsTheOldPair) {
  test_support::TTempWorkDir dir;
  TSave next = NewSave();
  const size_t largest = persist::HighScoreFileBytes(next.table).size();
  for (size_t limit = 0; limit < largest; ++limit) {
    WriteOldPair();
    const int status = SaveInChild([limit] {
      signal(SIGXFSZ, SIG_IGN);
      const rlimit size{limit, limit};
      setrlimit(RLIMIT_FSIZE, &size);
    });
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 3)
        << "limit " << limit << ": the save must fail with \"Disk full\"";
    ASSERT_EQ(LoadOutcome(), TOutcome::Old) << "limit " << limit;
  }
}

// A real small filesystem, where this machine lets a test mount one: the save fails with
// "Disk full" until there is room for both copies and the marker.
TEST(SaveCommit, AFullFilesystemKeepsTheOldPair) {
  test_support::TTempWorkDir dir;
  const pid_t child = fork();
  if (child == 0) {
    fs::create_directories(kFolder);
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) ||
        mount("tmpfs", kFolder, "tmpfs", 0, "size=24k") != 0)
      _exit(77);
    // Each file takes a page of the six: the old pair two, and the filler all but `free`.
    for (int free = 0; free <= 4; ++free) {
      for (const auto& entry : fs::directory_iterator(kFolder)) fs::remove_all(entry);
      TSave old = OldSave();
      persist::WriteSaveFiles(kFolder, old.Ref(), old.table);
      std::ofstream(fs::path(kFolder) / "filler")
          << std::string(static_cast<size_t>(4 - free) * 4096, 'x');
      TSave next = NewSave();
      bool saved = true;
      try {
        persist::WriteSaveFiles(kFolder, next.Ref(), next.table);
      } catch (const engine::EInOutError& error) {
        saved = false;
        if (std::string(error.what()).rfind("Disk full: ", 0) != 0) _exit(10 + free);
      }
      fs::remove(fs::path(kFolder) / "filler");
      const TOutcome outcome = LoadOutcome();
      if (outcome != (saved ? TOutcome::New : TOutcome::Old)) _exit(20 + free);
      if (saved != (free >= 3)) _exit(30 + free);
    }
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no small filesystem can be mounted here";
  EXPECT_EQ(WEXITSTATUS(status), 0) << "10+: not \"Disk full\", 20+: wrong pair, 30+: "
                                       "saved without room (the number adds the free pages)";
}

}  // namespace
