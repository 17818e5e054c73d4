#pragma once

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <unordered_map>

#include "keyed_hash.h"

namespace records {

enum class TVerdict { Store, Duplicate, TooMany };

// At most perMinute submissions a minute from one client address, and the same record from
// the same address stored once in ten minutes. Addresses are kept only as keyed hashes; an
// entry goes when its window has passed, and the key itself is renewed every day, so nothing
// here can tell of a client after a day.
class TClientLimits {
 public:
  static constexpr int64_t kMinuteMs = 60'000;
  static constexpr int64_t kDuplicateWindowMs = 10 * kMinuteMs;
  static constexpr int64_t kKeyLifetimeMs = 24 * 60 * kMinuteMs;
  // Beyond this many clients remembered at once a new client is refused until some are
  // forgotten: the memory a flood of addresses can take stays bounded.
  static constexpr size_t kMostClients = 200'000;

  // perMinute 0 lifts the rate limit (a benchmark on one address); duplicates still count.
  explicit TClientLimits(int perMinute);

  // Decides on a submission and remembers it: Store for a new record within the rate,
  // Duplicate for one this address sent in the last ten minutes.
  TVerdict Admit(const std::string& address, const std::string& record, int64_t nowMs);
  // Takes back a Store whose record could not be stored, so the client may send it again.
  void Forget(const std::string& address, const std::string& record);

  size_t RememberedClients();

 private:
  void Expire(int64_t nowMs);
  void RenewKeyIfOld(int64_t nowMs);

  std::mutex mutex_;
  int perMinute_;
  TSipKey key_{};
  int64_t keyBornMs_ = -1;
  int64_t lastExpiryMs_ = 0;
  std::unordered_map<uint64_t, std::deque<int64_t>> recent_;  // address hash → send times
  std::unordered_map<uint64_t, int64_t> sent_;                // address+record hash → time
};

}  // namespace records
