#include "record_store.h"

#include "pg_store.h"
#include "sqlite_store.h"

namespace records {

std::unique_ptr<TRecordStore> OpenRecordStore(const std::string& database) {
  if (database.starts_with("postgresql://") || database.starts_with("postgres://"))
    return std::make_unique<TPgStore>(database);
  return std::make_unique<TSqliteStore>(database);
}

}  // namespace records
