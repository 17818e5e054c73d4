#include "verify_queue.h"

#include <gtest/gtest.h>

#include <mutex>

#include "fake_checker.h"
#include "fake_replay_store.h"

namespace {

using records::TRecordState;

class VerifyQueue : public testing::Test {
 protected:
  // A record of "Вася" (RU) with this score whose replay came: its id.
  int64_t Sent(int64_t score) {
    records::TStoredRecord record{"Вася", "RU", score, 0};
    record.submitter = "sender";
    store.Add(record);
    return *store
                .AttachReplay("Вася", "RU", score, "sender", {1, 2, static_cast<uint8_t>(++sent)},
                              0)
                .id;
  }
  records::TCheckers Checkers(const std::string& script) {
    records::TCheckers checkers;
    checkers.current = test_support::FakeChecker(dir, "checker", script);
    return checkers;
  }
  records::TVerifyQueue::TLog Log() {
    return [this](const std::string& line) {
      std::lock_guard lock(logMutex);
      log += line + "\n";
    };
  }

  test_support::TTempWorkDir dir;
  test_support::TFakeReplayStore store;
  int sent = 0;  // replays sent, each of bytes of its own
  std::mutex logMutex;
  std::string log;
};

// Replays accepted before the start (by this server or another) are found in the store; one
// accepted while it runs is queued; each gets its verdict.
TEST_F(VerifyQueue, ChecksWhatWaitsInTheStoreAndWhatComes) {
  const int64_t honest = Sent(1205), forged = Sent(10'000'000);
  records::TVerifyQueue queue(
      store, Checkers("cat > /dev/null; printf '" + test_support::PlayedLines("1205") + "'"), 2, 4,
      Log());
  queue.Start();
  const int64_t later = Sent(1205);
  queue.Add(later);
  queue.Add(later);  // a repeat is checked once
  ASSERT_TRUE(store.WaitForVerdicts(3));
  EXPECT_EQ(store.Row(honest).state, TRecordState::Verified);
  EXPECT_EQ(store.Row(forged).state, TRecordState::Refused);
  EXPECT_EQ(store.Row(forged).stateDetail, "plays to 1205, not 10000000");
  EXPECT_EQ(store.Row(later).state, TRecordState::Verified);
  queue.Stop();
  ASSERT_TRUE(queue.Join(std::chrono::steady_clock::now() + std::chrono::seconds(5)));
  EXPECT_EQ(store.Verdicts(), 3);
  std::lock_guard lock(logMutex);
  EXPECT_NE(log.find("replay " + std::to_string(forged) + ": refused in "), std::string::npos)
      << log;
  // The reason names the player: it is kept in the store, not written to the log.
  EXPECT_EQ(log.find("10000000"), std::string::npos) << log;
}

// Stopping kills the running checker and leaves its replay Checking for the next start; so
// does a store that fails to take the verdict.
TEST_F(VerifyQueue, LeavesAReplayCheckingWhenStoppedOrTheStoreFails) {
  for (const bool storeFails : {false, true}) {
    store.failVerdicts = storeFails;
    const int64_t id = Sent(storeFails ? 5 : 10);
    records::TVerifyQueue queue(
        store,
        Checkers(storeFails ? "printf '" + test_support::PlayedLines("5") + "'" : "exec sleep 100"),
        1, 4, Log());
    queue.Start();
    ASSERT_TRUE(storeFails ? store.WaitForVerdicts(1) : store.WaitForReads(1));
    queue.Stop();
    ASSERT_TRUE(queue.Join(std::chrono::steady_clock::now() + std::chrono::seconds(5)));
    EXPECT_EQ(store.Row(id).state, TRecordState::Checking) << storeFails;
  }
  std::lock_guard lock(logMutex);
  EXPECT_NE(log.find("left checking: the database is gone"), std::string::npos) << log;
}

}  // namespace
