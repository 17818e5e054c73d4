#pragma once

#include <memory>
#include <vector>

#include "pg_pool.h"
#include "record_store.h"

namespace records {

// PostgreSQL, for sites that run several server processes on one database, on a few
// connections lent to one request at a time; a database that does not answer fails the
// request within the pool's time-outs.
class TPgStore : public TRecordStore {
 public:
  explicit TPgStore(const std::string& url, size_t connections = kDefaultConnections);
  ~TPgStore() override;
  TPgStore(const TPgStore&) = delete;
  TPgStore& operator=(const TPgStore&) = delete;

  void Add(const TStoredRecord& record) override;
  std::vector<TStoredRecord> Page(const TPageRequest& request) override;
  int64_t Count() override;
  void ProbeWrite() override;
  bool Banned(const std::string& name, const std::string& address) override;

  static constexpr size_t kDefaultConnections = 8;

 private:
  TPgPool pool_;
};

}  // namespace records
