#pragma once

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "text/cp1251.h"

namespace engine {

// Items of a list found by name without regard to case: 256 buckets keyed by the name's
// length and two of its letters. Within a bucket the item linked last is found first, so
// of two items with one name the later one in the file wins.
template <typename TItem>
class TNameIndex {
 public:
  static constexpr size_t kBuckets = 256;

  static size_t Bucket(const std::string& name) {
    const std::string lower = text::LowerCp1251(name);
    size_t hash = 16 * lower.size();
    if (lower.size() >= 2) {
      hash += static_cast<uint8_t>(lower[0]);
      hash += static_cast<uint8_t>(lower[lower.size() - 2]);
    }
    return hash % kBuckets;
  }

  void Link(TItem* item, const std::string& name) {
    buckets_[Bucket(name)].push_back(item);  // the back is the head of the chain
  }
  void Unlink(TItem* item, const std::string& name) { std::erase(buckets_[Bucket(name)], item); }
  void Clear() {
    for (auto& bucket : buckets_) bucket.clear();
  }

  // nameOf gives an item's current name.
  template <typename TNameOf>
  TItem* Find(const std::string& name, TNameOf nameOf) const {
    const auto& bucket = buckets_[Bucket(name)];
    for (auto it = bucket.rbegin(); it != bucket.rend(); ++it)
      if (text::SameTextCp1251(nameOf(**it), name)) return *it;
    return nullptr;
  }

 private:
  std::array<std::vector<TItem*>, kBuckets> buckets_;
};

}  // namespace engine
