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

  int64_t VerifiedCount() override;
  TAttachment AttachReplay(const std::string& name, const std::string& country, int64_t score,
                           const std::string& submitter, const std::vector<uint8_t>& replay,
                           int64_t nowSeconds) override;
  std::optional<TPendingReplay> PendingReplay(int64_t id) override;
  std::vector<int64_t> PendingReplayIds(int64_t limit) override;
  void SetVerdict(int64_t id, TRecordState state, const std::string& detail) override;
  std::optional<std::vector<uint8_t>> VerifiedReplay(int64_t id) override;

  static constexpr size_t kDefaultConnections = 8;

 private:
  TPgPool pool_;
};

}  // namespace records
