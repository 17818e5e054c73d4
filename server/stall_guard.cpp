#include "stall_guard.h"

#include <sys/socket.h>

namespace records {

TStallGuard::TStallGuard(std::chrono::milliseconds limit)
    : limit_(limit), cutter_([this] { CutOverdue(); }) {}

TStallGuard::~TStallGuard() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_one();
  cutter_.join();
}

uint64_t TStallGuard::Watch(int socket) {
  std::lock_guard lock(mutex_);
  const uint64_t ticket = nextTicket_++;
  watched_[ticket] = {socket, TClock::now() + limit_};
  changed_.notify_one();
  return ticket;
}

bool TStallGuard::Release(uint64_t ticket) {
  std::lock_guard lock(mutex_);
  return watched_.erase(ticket) > 0;
}

// Every watch has the same limit, so the oldest ticket is always the first due.
void TStallGuard::CutOverdue() {
  std::unique_lock lock(mutex_);
  while (!stopping_) {
    if (watched_.empty()) {
      changed_.wait(lock);
      continue;
    }
    const auto oldest = watched_.begin();
    const TClock::time_point deadline = oldest->second.deadline;  // a copy: Release may erase it
    if (TClock::now() < deadline) {
      changed_.wait_until(lock, deadline);
      continue;
    }
    // Both ways: the call blocked in reading or writing returns with an error, and the
    // socket stays open (its owner closes it) so its number cannot be reused meanwhile.
    shutdown(oldest->second.socket, SHUT_RDWR);
    watched_.erase(oldest);
  }
}

}  // namespace records
