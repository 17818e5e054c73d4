#pragma once

#include <memory>
#include <mutex>

#include "record_store.h"

struct sqlite3;
struct sqlite3_stmt;

namespace records {

// One SQLite file in write-ahead-log mode. A single connection, taken in turn: a write is
// one short transaction, so threads wait microseconds for it.
class TSqliteStore : public TRecordStore {
 public:
  explicit TSqliteStore(const std::string& path);
  ~TSqliteStore() override;
  TSqliteStore(const TSqliteStore&) = delete;
  TSqliteStore& operator=(const TSqliteStore&) = delete;

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

 private:
  using TStatement = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)>;

  void MakeSchema();
  // Whether a replay with this ReplayHash is kept; called with the mutex held.
  bool ReplayKept(const std::string& hash);
  bool TableExists(const char* name);
  bool ColumnExists(const char* table, const char* column);
  // Whether a query of the schema, given one or two names, finds a row.
  bool SchemaHas(const char* sql, const char* first, const char* second = nullptr);
  void Execute(const char* sql);
  sqlite3_stmt* Prepare(const char* sql);
  // A statement for one use, finalized when it goes.
  TStatement Statement(const std::string& sql);
  [[noreturn]] void Fail(const std::string& what);

  std::string folder_;  // where the file and its log grow
  std::mutex mutex_;
  sqlite3* db_ = nullptr;
  sqlite3_stmt* insert_ = nullptr;
  sqlite3_stmt* count_ = nullptr;
};

}  // namespace records
