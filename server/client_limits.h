#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include "keyed_hash.h"
#include "lru_table.h"
#include "submission_gate.h"

namespace records {

// Submissions are counted per address prefix: an IPv4 address may send perMinute a minute and
// its /24 kV4NetworkShare times that, an IPv6 /64 kV6NetworkShare times that; each may send
// its whole minute's share at once, then one in every 60 s / share. The same record from the
// same address is stored once in ten minutes.
//
// Memory is bounded: each table keeps kMostEntries entries and forgets the least recently
// used under pressure. Addresses and networks are kept apart, so a flood sweeping through
// many addresses pushes out only addresses, while its few networks stay counted. Addresses are kept
// only as keyed hashes, and the key is renewed every day, so nothing here can tell of a client
// after a day.
//
// This is the gate of one process: several server processes on one database share theirs
// in the database (pg_limits.h).
class TClientLimits : public TSubmissionGate {
 public:
  static constexpr int64_t kMinuteMs = 60'000;
  static constexpr int64_t kDuplicateWindowMs = 10 * kMinuteMs;
  static constexpr int64_t kKeyLifetimeMs = 24 * 60 * kMinuteMs;
  // A /24 may hold many homes (or one school behind one address's neighbours); a /64 is
  // one site, several devices but one household or office.
  static constexpr int kV4NetworkShare = 10;
  static constexpr int kV6NetworkShare = 5;
  // Per table; an entry costs about 100 bytes, so the three tables stay under 40 MB.
  static constexpr size_t kMostEntries = 131'072;

  // perMinute 0 lifts the rate limit (a benchmark on one address); duplicates still count.
  explicit TClientLimits(int perMinute, size_t mostEntries = kMostEntries);

  // Decides on a submission and remembers it: Store for a new record within the rate of
  // every prefix of the address, Duplicate for one this address sent in the last ten minutes.
  TVerdict Admit(const std::string& address, const std::string& record, int64_t nowMs) override;
  // Admit already counted the record as stored: taking it back cannot fail here.
  void Stored(const std::string&, const std::string&, int64_t) override {}
  // Takes back a Store whose record could not be stored, so the client may send it again.
  void Forget(const std::string& address, const std::string& record) override;

  // Prefixes and records remembered.
  size_t Remembered();

 private:
  bool TakeFromEveryPrefix(const std::string& address, int64_t nowMs);
  void ForgetStale(int64_t nowMs);
  void RenewKeyIfOld(int64_t nowMs);

  std::mutex mutex_;
  int perMinute_;
  TSipKey key_{};
  int64_t keyBornMs_ = -1;
  // Per prefix hash: when its allowance is next whole again, in µs (a prefix not here has
  // its whole allowance).
  TLruTable<int64_t> addressesDue_;
  TLruTable<int64_t> networksDue_;
  TLruTable<int64_t> sent_;  // address+record hash → when it was stored, in ms
};

}  // namespace records
