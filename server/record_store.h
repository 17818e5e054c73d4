#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace records {

// One result as stored: name and country in UTF-8, the time in seconds since 1970 (UTC).
struct TStoredRecord {
  std::string name;
  std::string country;
  int64_t score = 0;
  int64_t time = 0;
};

// Where the world records are kept. Every method may be called from many threads at once;
// a failure of the database throws std::runtime_error.
class TRecordStore {
 public:
  virtual ~TRecordStore() = default;
  virtual void Add(const TStoredRecord& record) = 0;
  // Best first: higher score, then the earlier time, then the earlier submission.
  virtual std::vector<TStoredRecord> Best(int64_t limit, int64_t offset) = 0;
  virtual int64_t Count() = 0;
};

// "postgresql://…" or "postgres://…" opens PostgreSQL, anything else is the path of an
// SQLite file, created when missing. The table is made when it is not there.
std::unique_ptr<TRecordStore> OpenRecordStore(const std::string& database);

}  // namespace records
