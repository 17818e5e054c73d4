#include "submission_gate.h"

#include "client_limits.h"
#include "pg_limits.h"

namespace records {

std::unique_ptr<TSubmissionGate> OpenSubmissionGate(const std::string& database, int perMinute) {
  // The same test as OpenRecordStore's: the limits live where the records do.
  if (database.starts_with("postgresql://") || database.starts_with("postgres://"))
    return std::make_unique<TPgLimits>(database, perMinute);
  return std::make_unique<TClientLimits>(perMinute);
}

}  // namespace records
