#include "pg_limits.h"

#include <pqxx/pqxx>

#include <chrono>
#include <random>

#include "client_limits.h"
#include "ip_address.h"

namespace records {

namespace {

constexpr int64_t kMicrosPerMs = 1000;
constexpr int64_t kMinuteUs = TClientLimits::kMinuteMs * kMicrosPerMs;

// The one key row, each prefix's due time (µs), each address and record's window: a claim
// not yet stored, or a stored record whose repeats are suppressed, until until_ms.
constexpr const char* kSchema =
    "CREATE UNLOGGED TABLE IF NOT EXISTS limits_key (one BOOLEAN PRIMARY KEY CHECK (one),"
    " k0 BIGINT NOT NULL, k1 BIGINT NOT NULL, born_ms BIGINT NOT NULL);"
    "CREATE UNLOGGED TABLE IF NOT EXISTS limits_due (prefix BIGINT PRIMARY KEY,"
    " due_us BIGINT NOT NULL);"
    "CREATE INDEX IF NOT EXISTS limits_due_expiry ON limits_due (due_us);"
    "CREATE UNLOGGED TABLE IF NOT EXISTS limits_sent (pair BIGINT PRIMARY KEY,"
    " stored BOOLEAN NOT NULL, until_ms BIGINT NOT NULL);"
    "CREATE INDEX IF NOT EXISTS limits_sent_expiry ON limits_sent (until_ms);";

// Any number but the record store's, so that servers starting together make these tables in
// turn.
constexpr int64_t kSchemaLock = 0x6c696d697473;

void Prepare(pqxx::connection& connection) {
  // Rows locked by another server's submission are left for a later sweep rather than waited
  // for.
  connection.prepare(
      "sweep",
      "WITH due AS (DELETE FROM limits_due WHERE prefix IN (SELECT prefix FROM limits_due"
      "  WHERE due_us <= $1 LIMIT $3 FOR UPDATE SKIP LOCKED)),"
      " sent AS (DELETE FROM limits_sent WHERE pair IN (SELECT pair FROM limits_sent"
      "  WHERE until_ms <= $2 LIMIT $3 FOR UPDATE SKIP LOCKED))"
      " SELECT k0, k1, born_ms FROM limits_key");
  // Only one of several servers renewing at once replaces the key; the others read it.
  connection.prepare("renew_key",
                     "INSERT INTO limits_key AS k VALUES (true, $1, $2, $3) ON CONFLICT (one)"
                     " DO UPDATE SET k0 = EXCLUDED.k0, k1 = EXCLUDED.k1,"
                     " born_ms = EXCLUDED.born_ms WHERE k.born_ms <= $4");
  connection.prepare("key", "SELECT k0, k1, born_ms FROM limits_key");
  // A prefix's allowance refills evenly: it is whole again at its due time, and a
  // submission moves that one step later. No row when that would be over a minute ahead.
  connection.prepare("charge",
                     "INSERT INTO limits_due AS d VALUES ($1, $2::bigint + $3::bigint)"
                     " ON CONFLICT (prefix) DO UPDATE SET due_us = GREATEST(d.due_us, $2) + $3"
                     " WHERE GREATEST(d.due_us, $2) + $3 <= $2::bigint + $4::bigint"
                     " RETURNING due_us");
  // No row when the record's window is still running: then "claimed" tells stored from not.
  connection.prepare("claim",
                     "INSERT INTO limits_sent AS s VALUES ($1, false, $2::bigint + $3::bigint)"
                     " ON CONFLICT (pair) DO UPDATE SET stored = false,"
                     " until_ms = EXCLUDED.until_ms WHERE s.until_ms <= $2 RETURNING pair");
  connection.prepare("claimed", "SELECT stored FROM limits_sent WHERE pair = $1");
  connection.prepare("stored",
                     "UPDATE limits_sent SET stored = true, until_ms = $2"
                     " WHERE pair = $1 AND NOT stored");
  connection.prepare("forget", "DELETE FROM limits_sent WHERE pair = $1 AND NOT stored");
}

void MakeSchema(pqxx::connection& connection) {
  pqxx::work work(connection);
  work.exec("SELECT pg_advisory_xact_lock(" + std::to_string(kSchemaLock) + ")");
  work.exec(kSchema);
  work.commit();
}

TSipKey RandomKey() {
  std::random_device device;
  TSipKey key{};
  for (uint64_t& word : key) word = (static_cast<uint64_t>(device()) << 32) | device();
  return key;
}

// PostgreSQL has no unsigned 64-bit type: the hash's bits are kept as a BIGINT.
int64_t Hash(const TSipKey& key, const std::string& text) {
  return static_cast<int64_t>(SipHash24(key, text));
}

std::string Pair(const std::string& address, const std::string& record) {
  return address + '\n' + record;
}

}  // namespace

TPgLimits::TPgLimits(const std::string& url, int perMinute, size_t connections)
    : perMinute_(perMinute), pool_(url, connections, Prepare) {
  try {
    MakeSchema(*pool_.Connect());
  } catch (const std::exception& error) {
    throw std::runtime_error(std::string("PostgreSQL limits: ") + error.what());
  }
}

TPgLimits::~TPgLimits() = default;

TSipKey TPgLimits::SweepAndKey(pqxx::connection& connection, int64_t nowMs) {
  pqxx::nontransaction work(connection);
  pqxx::result rows = work.exec_prepared("sweep", nowMs * kMicrosPerMs, nowMs, kSweptRows);
  if (rows.empty() || nowMs - rows[0][2].as<int64_t>() >= TClientLimits::kKeyLifetimeMs) {
    const TSipKey fresh = RandomKey();
    work.exec_prepared("renew_key", static_cast<int64_t>(fresh[0]), static_cast<int64_t>(fresh[1]),
                       nowMs, nowMs - TClientLimits::kKeyLifetimeMs);
    rows = work.exec_prepared("key");
  }
  const TSipKey key{static_cast<uint64_t>(rows.at(0)[0].as<int64_t>()),
                    static_cast<uint64_t>(rows.at(0)[1].as<int64_t>())};
  std::lock_guard lock(keyMutex_);
  lastKey_ = key;
  return key;
}

TSipKey TPgLimits::LastKey() {
  std::lock_guard lock(keyMutex_);
  return lastKey_;
}

TVerdict TPgLimits::Admit(const std::string& address, const std::string& record, int64_t nowMs) {
  return pool_.Run([&](pqxx::connection& connection) {
    // Read anew each time: another server may have renewed it.
    const TSipKey key = SweepAndKey(connection, nowMs);
    pqxx::work work(connection);
    if (perMinute_ > 0) {
      const int64_t nowUs = nowMs * kMicrosPerMs;
      for (const TAddressPrefix& prefix : AddressPrefixes(address, TClientLimits::kV4NetworkShare,
                                                          TClientLimits::kV6NetworkShare)) {
        const int64_t step = kMinuteUs / (static_cast<int64_t>(perMinute_) * prefix.share);
        if (work.exec_prepared("charge", Hash(key, prefix.key), nowUs, step, kMinuteUs).empty()) {
          work.abort();  // no prefix is charged for a refused submission
          return TVerdict::TooMany;
        }
      }
    }
    const int64_t pair = Hash(key, Pair(address, record));
    TVerdict verdict = TVerdict::Store;
    if (work.exec_prepared("claim", pair, nowMs, kClaimMs).empty()) {
      verdict = work.exec_prepared1("claimed", pair)[0].as<bool>() ? TVerdict::Duplicate
                                                                   : TVerdict::Storing;
    }
    work.commit();
    return verdict;
  });
}

void TPgLimits::Stored(const std::string& address, const std::string& record, int64_t nowMs) {
  const int64_t pair = Hash(LastKey(), Pair(address, record));
  pool_.Run([&](pqxx::connection& connection) {
    pqxx::nontransaction(connection)
        .exec_prepared("stored", pair, nowMs + TClientLimits::kDuplicateWindowMs);
  });
}

void TPgLimits::Forget(const std::string& address, const std::string& record) {
  const int64_t pair = Hash(LastKey(), Pair(address, record));
  pool_.Run([&](pqxx::connection& connection) {
    pqxx::nontransaction(connection).exec_prepared("forget", pair);
  });
}

}  // namespace records
