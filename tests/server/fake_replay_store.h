#pragma once

#include <condition_variable>
#include <map>
#include <mutex>
#include <set>
#include <stdexcept>

#include "record_store.h"

namespace test_support {

// Records and their replays in memory, as the stores keep them: a replay goes to the newest
// record with its name, country and score that has none, sent by its submitter within the
// window, which becomes Checking, unless the same bytes are another record's replay. Banned
// names, failures and waiting for verdicts are the tests' own.
class TFakeReplayStore : public records::TRecordStore {
 public:
  void Add(const records::TStoredRecord& record) override {
    std::lock_guard lock(mutex_);
    records::TStoredRecord added = record;
    added.id = static_cast<int64_t>(rows_.size()) + 1;
    rows_[added.id] = {added, {}};
  }
  std::vector<records::TStoredRecord> Page(const records::TPageRequest&) override { return {}; }
  int64_t Count() override {
    std::lock_guard lock(mutex_);
    return static_cast<int64_t>(rows_.size());
  }
  bool Banned(const std::string& name, const std::string&) override { return name == bannedName; }

  records::TAttachment AttachReplay(const std::string& name, const std::string& country,
                                    int64_t score, const std::string& submitter,
                                    const std::vector<uint8_t>& replay,
                                    int64_t nowSeconds) override {
    std::lock_guard lock(mutex_);
    for (auto row = rows_.rbegin(); row != rows_.rend(); ++row) {
      auto& [record, bytes] = row->second;
      if (record.name != name || record.country != country || record.score != score ||
          record.submitter.empty() || record.submitter != submitter ||
          record.time < nowSeconds - records::kReplayWindowSeconds ||
          record.state != records::TRecordState::Unverified)
        continue;
      if (!kept_.insert(replay).second) return {std::nullopt, true};
      record.state = records::TRecordState::Checking;
      bytes = replay;
      return {record.id};
    }
    return {};
  }
  std::optional<records::TPendingReplay> PendingReplay(int64_t id) override {
    std::lock_guard lock(mutex_);
    ++pendingReads_;
    read_.notify_all();
    const auto row = rows_.find(id);
    if (row == rows_.end() || row->second.first.state != records::TRecordState::Checking)
      return std::nullopt;
    return records::TPendingReplay{row->second.first, row->second.second};
  }
  std::vector<int64_t> PendingReplayIds(int64_t limit) override {
    std::lock_guard lock(mutex_);
    std::vector<int64_t> ids;
    for (const auto& [id, row] : rows_)
      if (row.first.state == records::TRecordState::Checking &&
          static_cast<int64_t>(ids.size()) < limit)
        ids.push_back(id);
    return ids;
  }
  void SetVerdict(int64_t id, records::TRecordState state, const std::string& detail) override {
    std::lock_guard lock(mutex_);
    ++verdicts_;
    read_.notify_all();
    if (failVerdicts) throw std::runtime_error("the database is gone");
    rows_.at(id).first.state = state;
    rows_.at(id).first.stateDetail = detail;
  }

  records::TStoredRecord Row(int64_t id) {
    std::lock_guard lock(mutex_);
    return rows_.at(id).first;
  }
  // Waits (a minute at most, so that a broken test ends) for this many verdicts given (or
  // tried), or replays read.
  bool WaitForVerdicts(int count) { return WaitFor(verdicts_, count); }
  bool WaitForReads(int count) { return WaitFor(pendingReads_, count); }
  int Verdicts() {
    std::lock_guard lock(mutex_);
    return verdicts_;
  }

  std::string bannedName = "Banned";
  bool failVerdicts = false;  // set before the checks start

 private:
  bool WaitFor(const int& counter, int count) {
    std::unique_lock lock(mutex_);
    return read_.wait_for(lock, std::chrono::minutes(1), [&] { return counter >= count; });
  }

  std::mutex mutex_;
  std::condition_variable read_;
  std::map<int64_t, std::pair<records::TStoredRecord, std::vector<uint8_t>>> rows_;
  std::set<std::vector<uint8_t>> kept_;  // every replay's bytes
  int verdicts_ = 0;
  int pendingReads_ = 0;
};

}  // namespace test_support
