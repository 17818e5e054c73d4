#include "objects/bonus_entries.h"

#include <array>

namespace objects {

namespace {

using enum TBonusKind;

constexpr std::array<TBonusKind, kBonusEntries + 1> kKindOfEntry = {
    BasicGun, BasicGun,  Score,        RocketLauncher, Hero, Nothing,
    RapidGun, DoubleGun, TripleRocket, MegaBomb,       Life};

}  // namespace

TBonusKind BonusKindOf(int entry) {
  return entry >= 1 && entry <= kBonusEntries ? kKindOfEntry[entry] : BasicGun;
}

int BonusSlotOf(TBonusKind kind) {
  for (int entry = 1; entry <= kBonusEntries; ++entry) {
    if (kKindOfEntry[entry] == kind) return entry;
  }
  return 0;
}

}  // namespace objects
