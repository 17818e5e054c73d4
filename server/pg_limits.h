#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <pqxx/connection>

#include "keyed_hash.h"
#include "pg_pool.h"
#include "submission_gate.h"

namespace records {

// The submission limits of every server process on one PostgreSQL database, kept in that
// database: a client sending to two processes behind one proxy has one rate in all, and a
// record sent to both is stored once. The rules are TClientLimits's (the same prefixes,
// shares, refill and windows).
//
// Three unlogged tables (nothing there needs to outlive a crash of the database): the
// hash key every process uses, renewed every day; each prefix's due time; each address and
// record's hash while its ten minutes run. A row whose time has passed means nothing, and
// every submission removes up to kSweptRows of them from each table, more than it adds, so
// the tables hold only what is live. This process keeps nothing per client.
//
// Its connections are its own, a few, lent to one call at a time; a call that cannot get
// one, or whose database does not answer, within the time-outs throws, and the submission
// is refused rather than let through unchecked.
class TPgLimits : public TSubmissionGate {
 public:
  TPgLimits(const std::string& url, int perMinute, size_t connections = kDefaultConnections);
  ~TPgLimits() override;
  TPgLimits(const TPgLimits&) = delete;
  TPgLimits& operator=(const TPgLimits&) = delete;

  TVerdict Admit(const std::string& address, const std::string& record, int64_t nowMs) override;
  void Stored(const std::string& address, const std::string& record, int64_t nowMs) override;
  void Forget(const std::string& address, const std::string& record) override;

  static constexpr size_t kDefaultConnections = 4;
  // A record's repeats answer Storing this long after its claim while it is not yet stored;
  // after that the claim is taken to have failed (its server died between claim and store).
  static constexpr int64_t kClaimMs = 30'000;
  static constexpr int64_t kSweptRows = 16;

 private:
  // Removes some of the rows whose time has passed and gives the key, renewed if old.
  TSipKey SweepAndKey(pqxx::connection& connection, int64_t nowMs);
  TSipKey LastKey();

  const int perMinute_;
  std::mutex keyMutex_;
  TSipKey lastKey_{};  // the key of the latest Admit, for its Stored or Forget
  TPgPool pool_;
};

}  // namespace records
