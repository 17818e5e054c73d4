#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_set>
#include <vector>

#include "record_store.h"
#include "replay_queue.h"
#include "replay_verdict.h"

namespace records {

// The replays accepted, waiting for a worker, and the workers that check them: each takes an
// id, reads the replay from the store, runs the checkers and stores the verdict. The queue is
// bounded, but nothing accepted is lost: an accepted replay is in the store as Checking, and
// the queue is filled again from the store at the start, once it has room after turning
// replays away, a while after a failure, and every minute (replays another server on the same
// database left, say). Two servers may then check one replay: the verdict is the same.
class TVerifyQueue final : public TReplayQueue {
 public:
  using TLog = std::function<void(const std::string&)>;

  // Without a current checker nothing is checked here, and accepted replays stay Checking.
  TVerifyQueue(TRecordStore& store, TCheckers checkers, int workers, size_t capacity, TLog log);
  // Stops, and waits for the workers.
  ~TVerifyQueue();
  TVerifyQueue(const TVerifyQueue&) = delete;
  TVerifyQueue& operator=(const TVerifyQueue&) = delete;

  void Start();
  bool HasRoom() override;
  void Add(int64_t id) override;
  // From any thread: the running checkers are killed and every worker ends once its store
  // call, if any, returns; their replays stay Checking.
  void Stop();
  // Whether every worker ended by the deadline (after Stop); if not, they are left to the
  // process's end.
  bool Join(std::chrono::steady_clock::time_point deadline);

 private:
  using TClock = std::chrono::steady_clock;
  struct TWaiting {
    int64_t id;
    TClock::time_point since;  // accepted, or found in the store
  };

  void Work();
  std::optional<TWaiting> Next();
  void Refill(std::unique_lock<std::mutex>& lock);
  void Check(const TWaiting& waiting);
  void Finished(int64_t id);
  // After a failure not of the replay's making (the store, a checker that cannot check here)
  // the queue rests a while, then reads what waits from the store again.
  void RetryLater();
  void Log(const std::string& line);

  TRecordStore& store_;
  const TCheckers checkers_;
  const int workers_;
  const size_t capacity_;
  const TLog log_;
  TStopSignal stop_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<TWaiting> waiting_;
  std::unordered_set<int64_t> known_;  // waiting or being checked
  TClock::time_point refillAt_{};
  bool refilling_ = false;
  bool stopping_ = false;
  size_t ended_ = 0;
  std::vector<std::thread> threads_;
};

}  // namespace records
