#include "objects/bonus_entries.h"

#include <array>

namespace objects {

namespace {

constexpr std::array<int, kBonusEntries + 1> kKindOfEntry = {0, 0, 1, 2, 3, 4, 7, 8, 9, 5, 6};

}  // namespace

int BonusKindOf(int entry) {
  return entry >= 1 && entry <= kBonusEntries ? kKindOfEntry[entry] : 0;
}

int BonusSlotOf(int kind) {
  for (int entry = 1; entry <= kBonusEntries; ++entry) {
    if (kKindOfEntry[entry] == kind) return entry;
  }
  return 0;
}

}  // namespace objects
