#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

#include <pqxx/connection>

#include "record_store.h"

namespace records {

// PostgreSQL, for sites that run several server processes on one database. A few
// connections are opened at start and lent to one request at a time.
class TPgStore : public TRecordStore {
 public:
  explicit TPgStore(const std::string& url, size_t connections = kDefaultConnections);
  ~TPgStore() override;
  TPgStore(const TPgStore&) = delete;
  TPgStore& operator=(const TPgStore&) = delete;

  void Add(const TStoredRecord& record) override;
  std::vector<TStoredRecord> Page(const TPageRequest& request) override;
  int64_t Count() override;
  bool Banned(const std::string& name, const std::string& address) override;

  static constexpr size_t kDefaultConnections = 8;

 private:
  class TLease;

  std::mutex mutex_;
  std::condition_variable returned_;
  std::vector<std::unique_ptr<pqxx::connection>> idle_;
  std::string url_;
};

}  // namespace records
