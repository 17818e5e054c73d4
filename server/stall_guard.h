#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <thread>

namespace records {

// Cuts the socket of a database call that has run too long. A server that hangs (stopped, or
// its machine gone) answers nothing, so its own statement time-out never fires and a client
// waiting on it would wait for ever; with its socket shut down the call fails at once.
class TStallGuard {
 public:
  explicit TStallGuard(std::chrono::milliseconds limit);
  ~TStallGuard();
  TStallGuard(const TStallGuard&) = delete;
  TStallGuard& operator=(const TStallGuard&) = delete;

  // Watches a socket from now until Release is given the ticket returned. The socket must
  // stay open until then.
  uint64_t Watch(int socket);
  // False when the call had been cut.
  bool Release(uint64_t ticket);

 private:
  using TClock = std::chrono::steady_clock;
  struct TWatched {
    int socket;
    TClock::time_point deadline;
  };

  void CutOverdue();

  const std::chrono::milliseconds limit_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool stopping_ = false;
  uint64_t nextTicket_ = 0;
  std::map<uint64_t, TWatched> watched_;  // by ticket, so the oldest is first
  std::thread cutter_;
};

}  // namespace records
