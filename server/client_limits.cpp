#include "client_limits.h"

#include <random>

namespace records {

namespace {

// Expiry walks every entry, so it runs at most once a second.
constexpr int64_t kExpiryEveryMs = 1000;

}  // namespace

TClientLimits::TClientLimits(int perMinute) : perMinute_(perMinute) {}

void TClientLimits::RenewKeyIfOld(int64_t nowMs) {
  if (keyBornMs_ >= 0 && nowMs - keyBornMs_ < kKeyLifetimeMs) return;
  std::random_device device;
  for (uint64_t& word : key_) word = (static_cast<uint64_t>(device()) << 32) | device();
  keyBornMs_ = nowMs;
  // Hashes under the old key mean nothing any more.
  recent_.clear();
  sent_.clear();
}

void TClientLimits::Expire(int64_t nowMs) {
  if (nowMs - lastExpiryMs_ < kExpiryEveryMs) return;
  lastExpiryMs_ = nowMs;
  for (auto it = recent_.begin(); it != recent_.end();) {
    auto& times = it->second;
    while (!times.empty() && nowMs - times.front() >= kMinuteMs) times.pop_front();
    it = times.empty() ? recent_.erase(it) : std::next(it);
  }
  std::erase_if(sent_,
                [&](const auto& entry) { return nowMs - entry.second >= kDuplicateWindowMs; });
}

TVerdict TClientLimits::Admit(const std::string& address, const std::string& record,
                              int64_t nowMs) {
  std::lock_guard lock(mutex_);
  RenewKeyIfOld(nowMs);
  Expire(nowMs);
  const uint64_t client = SipHash24(key_, address);
  const uint64_t pair = SipHash24(key_, address + '\n' + record);
  auto found = recent_.find(client);
  if (found == recent_.end() && (recent_.size() >= kMostClients || sent_.size() >= kMostClients))
    return TVerdict::TooMany;
  auto& times = recent_[client];
  while (!times.empty() && nowMs - times.front() >= kMinuteMs) times.pop_front();
  if (perMinute_ > 0) {
    if (times.size() >= static_cast<size_t>(perMinute_)) return TVerdict::TooMany;
    times.push_back(nowMs);
  }
  const auto sent = sent_.find(pair);
  if (sent != sent_.end() && nowMs - sent->second < kDuplicateWindowMs) return TVerdict::Duplicate;
  sent_[pair] = nowMs;
  return TVerdict::Store;
}

void TClientLimits::Forget(const std::string& address, const std::string& record) {
  std::lock_guard lock(mutex_);
  sent_.erase(SipHash24(key_, address + '\n' + record));
}

size_t TClientLimits::RememberedClients() {
  std::lock_guard lock(mutex_);
  return recent_.size();
}

}  // namespace records
