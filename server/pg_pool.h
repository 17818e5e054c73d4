#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <pqxx/connection>
#include <utility>

#include "stall_guard.h"

namespace records {

// How long a PostgreSQL call may take before the request is answered 503.
struct TPgTimeouts {
  std::chrono::milliseconds connect{2000};    // to open a connection
  std::chrono::milliseconds statement{2000};  // the server's own limit on a statement
  std::chrono::milliseconds wait{2000};       // for a free connection
  // A server that answers nothing at all (stopped, its machine gone) never applies its own
  // limit: the socket of a call this old is shut.
  std::chrono::milliseconds stall{2500};
  // After a call timed out, calls fail at once for this long rather than each wait.
  std::chrono::milliseconds coolDown{1000};
};

// A few connections to one database, lent to one call at a time. A call fails fast when the
// database does not answer; a connection found broken (the server was restarted) is opened
// anew and the call tried once more on it, so a restart costs no request.
class TPgPool {
 public:
  using TPrepare = std::function<void(pqxx::connection&)>;

  TPgPool(const std::string& url, size_t connections, TPrepare prepare,
          const TPgTimeouts& timeouts = {});
  ~TPgPool();
  TPgPool(const TPgPool&) = delete;
  TPgPool& operator=(const TPgPool&) = delete;

  // Runs work(connection); throws std::runtime_error for anything that failed.
  template <typename TWork>
  auto Run(TWork work) -> decltype(work(std::declval<pqxx::connection&>()));

  // A connection of the pool's kind, not lent: for making the schema at start.
  std::unique_ptr<pqxx::connection> Connect();

 private:
  class TLease;
  enum class TOutcome { Done, Retry };

  static bool IsBroken(const std::exception& error, pqxx::connection& connection);
  static bool InDoubt(const std::exception& error);
  std::unique_ptr<pqxx::connection> Borrow();
  void GiveBack(std::unique_ptr<pqxx::connection> connection);
  void FailFastIfCooling();
  void CoolDown();

  const std::string url_;
  const TPrepare prepare_;
  const TPgTimeouts timeouts_;
  std::mutex mutex_;
  std::condition_variable returned_;
  std::vector<std::unique_ptr<pqxx::connection>> idle_;  // null: to be opened when lent
  std::chrono::steady_clock::time_point coolUntil_{};
  TStallGuard guard_;
};

// A connection lent by the pool and watched while lent.
class TPgPool::TLease {
 public:
  // fresh: a new connection, not one that waited in the pool.
  TLease(TPgPool& pool, bool fresh);
  ~TLease();
  TLease(const TLease&) = delete;
  TLease& operator=(const TLease&) = delete;

  pqxx::connection& operator*() { return *connection_; }
  bool Fresh() const { return fresh_; }
  // The connection failed: it is closed, and the next borrower opens a new one. True when
  // the stall guard had cut it.
  bool Drop();

 private:
  TPgPool& pool_;
  std::unique_ptr<pqxx::connection> connection_;
  uint64_t ticket_ = 0;
  bool fresh_ = false;
};

template <typename TWork>
auto TPgPool::Run(TWork work) -> decltype(work(std::declval<pqxx::connection&>())) {
  for (int attempt = 1;; ++attempt) {
    FailFastIfCooling();
    TLease lease(*this, attempt > 1);
    try {
      return work(*lease);
    } catch (const std::exception& error) {
      const std::string what = std::string("PostgreSQL: ") + error.what();
      // An SQL error (the server's own time-out among them) leaves the connection usable.
      if (!IsBroken(error, *lease)) throw std::runtime_error(what);
      const bool cut = lease.Drop();
      if (cut) CoolDown();
      // A connection that broke while idle (a restart) is worth one more try on a new one;
      // one the database left hanging, or a commit whose fate is unknown, is not.
      if (cut || lease.Fresh() || attempt == 2 || InDoubt(error)) throw std::runtime_error(what);
    }
  }
}

}  // namespace records
