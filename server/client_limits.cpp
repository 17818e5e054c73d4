#include "client_limits.h"

#include <algorithm>
#include <random>
#include <vector>

#include "ip_address.h"

namespace records {

namespace {

constexpr int64_t kMicrosPerMs = 1000;
constexpr int64_t kMinuteUs = TClientLimits::kMinuteMs * kMicrosPerMs;

}  // namespace

TClientLimits::TClientLimits(int perMinute, size_t mostEntries)
    : perMinute_(perMinute),
      addressesDue_(mostEntries),
      networksDue_(mostEntries),
      sent_(mostEntries) {}

void TClientLimits::RenewKeyIfOld(int64_t nowMs) {
  if (keyBornMs_ >= 0 && nowMs - keyBornMs_ < kKeyLifetimeMs) return;
  std::random_device device;
  for (uint64_t& word : key_) word = (static_cast<uint64_t>(device()) << 32) | device();
  keyBornMs_ = nowMs;
  // Hashes under the old key mean nothing any more.
  addressesDue_.Clear();
  networksDue_.Clear();
  sent_.Clear();
}

void TClientLimits::ForgetStale(int64_t nowMs) {
  const int64_t nowUs = nowMs * kMicrosPerMs;
  const auto whole = [&](int64_t dueUs) { return dueUs <= nowUs; };
  addressesDue_.ForgetStale(whole);
  networksDue_.ForgetStale(whole);
  sent_.ForgetStale([&](int64_t sentMs) { return nowMs - sentMs >= kDuplicateWindowMs; });
}

// Each prefix's allowance refills evenly over a minute: it is whole again at its due time,
// and a submission moves that a minute / share later. One that would move any prefix's due
// time more than a minute ahead is refused, and then no prefix is charged.
bool TClientLimits::TakeFromEveryPrefix(const std::string& address, int64_t nowMs) {
  const int64_t nowUs = nowMs * kMicrosPerMs;
  std::vector<std::pair<int64_t*, int64_t>> charges;
  for (const TAddressPrefix& prefix : AddressPrefixes(address, kV4NetworkShare, kV6NetworkShare)) {
    auto& table = prefix.network ? networksDue_ : addressesDue_;
    int64_t& due = table.Touch(SipHash24(key_, prefix.key));
    const int64_t step = kMinuteUs / (static_cast<int64_t>(perMinute_) * prefix.share);
    const int64_t next = std::max(due, nowUs) + step;
    if (next - nowUs > kMinuteUs) return false;
    charges.emplace_back(&due, next);
  }
  for (auto& [due, next] : charges) *due = next;
  return true;
}

TVerdict TClientLimits::Admit(const std::string& address, const std::string& record,
                              int64_t nowMs) {
  std::lock_guard lock(mutex_);
  RenewKeyIfOld(nowMs);
  ForgetStale(nowMs);
  if (perMinute_ > 0 && !TakeFromEveryPrefix(address, nowMs)) return TVerdict::TooMany;
  const uint64_t pair = SipHash24(key_, address + '\n' + record);
  if (const int64_t* sent = sent_.Find(pair); sent && nowMs - *sent < kDuplicateWindowMs)
    return TVerdict::Duplicate;
  sent_.Touch(pair) = nowMs;
  return TVerdict::Store;
}

void TClientLimits::Forget(const std::string& address, const std::string& record) {
  std::lock_guard lock(mutex_);
  sent_.Erase(SipHash24(key_, address + '\n' + record));
}

size_t TClientLimits::Remembered() {
  std::lock_guard lock(mutex_);
  return addressesDue_.Size() + networksDue_.Size() + sent_.Size();
}

}  // namespace records
