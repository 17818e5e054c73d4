#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace records {

// Store: a new record within the rate. Duplicate: this address sent the same record in the
// last ten minutes and it was stored. TooMany: over the rate of one of the address's
// prefixes. Storing: the same record from the same address is being stored by another
// request just now (perhaps in another server process); the client may ask again shortly.
enum class TVerdict { Store, Duplicate, TooMany, Storing };

// Decides which submissions are stored: the rate per address prefix and the suppression of
// repeats. Thread-safe.
class TSubmissionGate {
 public:
  virtual ~TSubmissionGate() = default;
  // Decides on a submission and remembers it; a Store is a claim on the record that Stored or
  // Forget settles. Throws std::exception when it cannot decide: nothing is then charged.
  virtual TVerdict Admit(const std::string& address, const std::string& record, int64_t nowMs) = 0;
  // The claimed record is in the table: its repeats are Duplicate for ten minutes from nowMs,
  // the time its Admit was given.
  virtual void Stored(const std::string& address, const std::string& record, int64_t nowMs) = 0;
  // The claimed record could not be stored, so the client may send it again.
  virtual void Forget(const std::string& address, const std::string& record) = 0;
};

// A "postgresql://…" or "postgres://…" database keeps the counts in its own tables, shared by
// every server process on it; anything else (an SQLite file) keeps them in this process.
std::unique_ptr<TSubmissionGate> OpenSubmissionGate(const std::string& database, int perMinute);

}  // namespace records
