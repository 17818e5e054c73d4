#include "record_store.h"

#include <stdexcept>

#include "pg_store.h"
#include "sqlite_store.h"

namespace records {

namespace {

[[noreturn]] void NoReplays() {
  throw std::runtime_error("this store keeps no replays");
}

}  // namespace

const char* StateName(TRecordState state) {
  switch (state) {
    case TRecordState::Unverified:
      return "unverified";
    case TRecordState::Checking:
      return "checking";
    case TRecordState::Verified:
      return "verified";
    case TRecordState::Refused:
      return "refused";
    case TRecordState::Unchecked:
      return "unchecked";
  }
  return "unverified";
}

int64_t TRecordStore::VerifiedCount() {
  NoReplays();
}

TAttachment TRecordStore::AttachReplay(const std::string&, const std::string&, int64_t,
                                       const std::string&, const std::vector<uint8_t>&, int64_t) {
  NoReplays();
}

std::optional<TPendingReplay> TRecordStore::PendingReplay(int64_t) {
  NoReplays();
}

std::vector<int64_t> TRecordStore::PendingReplayIds(int64_t) {
  NoReplays();
}

void TRecordStore::SetVerdict(int64_t, TRecordState, const std::string&) {
  NoReplays();
}

std::optional<std::vector<uint8_t>> TRecordStore::VerifiedReplay(int64_t) {
  NoReplays();
}

std::unique_ptr<TRecordStore> OpenRecordStore(const std::string& database) {
  if (database.starts_with("postgresql://") || database.starts_with("postgres://"))
    return std::make_unique<TPgStore>(database);
  return std::make_unique<TSqliteStore>(database);
}

}  // namespace records
