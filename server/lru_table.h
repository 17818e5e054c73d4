#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <unordered_map>
#include <utility>

namespace records {

// At most `capacity` values by key; taking a new key when full forgets the one used least
// recently, so a flood of new keys pushes out only what nobody is using.
template <typename Value>
class TLruTable {
 public:
  explicit TLruTable(size_t capacity) : capacity_(capacity) {}

  // The value under key, made the most recent; nullptr when there is none.
  Value* Find(uint64_t key) {
    const auto found = index_.find(key);
    if (found == index_.end()) return nullptr;
    order_.splice(order_.begin(), order_, found->second);
    return &found->second->second;
  }

  // The value under key, made the most recent; a new one (value-initialised) when missing.
  Value& Touch(uint64_t key) {
    if (Value* value = Find(key)) return *value;
    if (index_.size() >= capacity_) ForgetOldest();
    order_.emplace_front(key, Value{});
    index_[key] = order_.begin();
    return order_.front().second;
  }

  void Erase(uint64_t key) {
    const auto found = index_.find(key);
    if (found == index_.end()) return;
    order_.erase(found->second);
    index_.erase(found);
  }

  // Forgets least recent values for which stale(value) holds, stopping at the first that
  // does not: the cheap sweep that keeps an idle table small.
  template <typename Stale>
  void ForgetStale(Stale stale) {
    while (!order_.empty() && stale(order_.back().second)) ForgetOldest();
  }

  void Clear() {
    order_.clear();
    index_.clear();
  }

  size_t Size() const { return index_.size(); }

 private:
  using TOrder = std::list<std::pair<uint64_t, Value>>;

  void ForgetOldest() {
    index_.erase(order_.back().first);
    order_.pop_back();
  }

  size_t capacity_;
  TOrder order_;  // most recent first
  std::unordered_map<uint64_t, typename TOrder::iterator> index_;
};

}  // namespace records
