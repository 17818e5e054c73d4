#include "verify_queue.h"

#include <algorithm>
#include <stdexcept>

namespace records {

namespace {

constexpr std::chrono::seconds kRefillEvery{60};
constexpr std::chrono::seconds kRetryAfter{10};

// A log line cannot be forged by what a checker wrote to stderr.
std::string OneLine(const std::string& text) {
  std::string line;
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    line += c == '\n' ? ' ' : (byte < 0x20 || byte == 0x7f) ? '?' : c;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

int64_t MsBetween(std::chrono::steady_clock::time_point from,
                  std::chrono::steady_clock::time_point to) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count();
}

}  // namespace

TVerifyQueue::TVerifyQueue(TRecordStore& store, TCheckers checkers, int workers, size_t capacity,
                           TLog log)
    : store_(store),
      checkers_(std::move(checkers)),
      workers_(std::max(1, workers)),
      capacity_(std::max<size_t>(1, capacity)),
      log_(std::move(log)) {}

TVerifyQueue::~TVerifyQueue() {
  Stop();
  for (auto& thread : threads_) thread.join();
}

void TVerifyQueue::Start() {
  if (checkers_.current.empty()) return;
  refillAt_ = TClock::now();
  for (int i = 0; i < workers_; ++i) threads_.emplace_back([this] { Work(); });
}

bool TVerifyQueue::HasRoom() {
  std::lock_guard lock(mutex_);
  return waiting_.size() < capacity_;
}

void TVerifyQueue::Add(int64_t id) {
  if (checkers_.current.empty()) return;
  std::lock_guard lock(mutex_);
  if (stopping_ || known_.contains(id)) return;
  if (waiting_.size() >= capacity_) {
    // Taken by another request since it asked: it is found in the store once there is room.
    refillAt_ = TClock::now();
    return;
  }
  known_.insert(id);
  waiting_.push_back({id, TClock::now()});
  changed_.notify_one();
}

void TVerifyQueue::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  stop_.Raise();
}

bool TVerifyQueue::Join(TClock::time_point deadline) {
  std::unique_lock lock(mutex_);
  const bool ended =
      changed_.wait_until(lock, deadline, [this] { return ended_ == threads_.size(); });
  lock.unlock();
  if (!ended) return false;
  for (auto& thread : threads_) thread.join();
  threads_.clear();
  return true;
}

void TVerifyQueue::Work() {
  while (const auto waiting = Next()) {
    Check(*waiting);
    Finished(waiting->id);
  }
  std::lock_guard lock(mutex_);
  ++ended_;
  changed_.notify_all();
}

std::optional<TVerifyQueue::TWaiting> TVerifyQueue::Next() {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (stopping_) return std::nullopt;
    if (!waiting_.empty()) {
      const TWaiting next = waiting_.front();
      waiting_.pop_front();
      return next;
    }
    if (refilling_) {
      changed_.wait(lock);
    } else if (TClock::now() >= refillAt_) {
      Refill(lock);
    } else {
      changed_.wait_until(lock, refillAt_);
    }
  }
}

// Called with the queue empty; the store is asked without the lock held.
void TVerifyQueue::Refill(std::unique_lock<std::mutex>& lock) {
  refilling_ = true;
  lock.unlock();
  std::vector<int64_t> ids;
  bool failed = false;
  try {
    ids = store_.PendingReplayIds(static_cast<int64_t>(capacity_));
  } catch (const std::exception& error) {
    Log(std::string("the replays waiting cannot be read: ") + error.what());
    failed = true;
  }
  lock.lock();
  refilling_ = false;
  const auto now = TClock::now();
  size_t added = 0;
  for (const int64_t id : ids) {
    if (waiting_.size() >= capacity_ || !known_.insert(id).second) continue;
    waiting_.push_back({id, now});
    ++added;
  }
  // A full answer may leave more in the store: asked again once these are taken.
  const bool more = ids.size() >= capacity_ && added > 0;
  refillAt_ = more ? now : now + (failed ? kRetryAfter : kRefillEvery);
  changed_.notify_all();
}

void TVerifyQueue::Check(const TWaiting& waiting) {
  const std::string replay = "replay " + std::to_string(waiting.id) + ": ";
  const auto started = TClock::now();
  try {
    const auto pending = store_.PendingReplay(waiting.id);
    if (!pending) return;  // checked by another server, or gone
    const TCheckOutcome outcome = CheckReplay(*pending, checkers_, stop_);
    if (!outcome.note.empty()) Log(replay + OneLine(outcome.note));
    if (!outcome.judgement) return;  // stopped, or no checker for its version answered
    store_.SetVerdict(waiting.id, outcome.judgement->state, outcome.judgement->detail);
    // Names stay out of the log: the reason is kept for the operator in the store.
    const auto now = TClock::now();
    Log(replay + StateName(outcome.judgement->state) + " in " +
        std::to_string(MsBetween(waiting.since, now)) + " ms (checking " +
        std::to_string(MsBetween(started, now)) + " ms)");
  } catch (const std::exception& error) {
    Log(replay + "left checking: " + OneLine(error.what()));
    RetryLater();
  }
}

void TVerifyQueue::Finished(int64_t id) {
  std::lock_guard lock(mutex_);
  known_.erase(id);
}

void TVerifyQueue::RetryLater() {
  {
    std::lock_guard lock(mutex_);
    // What waits would likely fail the same way: it is in the store, found again then.
    for (const TWaiting& waiting : waiting_) known_.erase(waiting.id);
    waiting_.clear();
    refillAt_ = TClock::now() + kRetryAfter;
  }
  changed_.notify_all();
}

void TVerifyQueue::Log(const std::string& line) {
  log_(line);
}

}  // namespace records
