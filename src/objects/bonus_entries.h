#pragma once

#include "objects/bonus_kind.h"

// The bonuses as the game numbers them: entries 1..10 of a level's table, each standing for
// one of the kinds a bonus sprite shows; the craft keeps what it owns by the same entries.
namespace objects {

constexpr int kBonusEntries = 10;

// Entry 1..10 to its bonus kind (the basic gun for a value outside the table) and a kind to
// its entry.
TBonusKind BonusKindOf(int entry);
int BonusSlotOf(TBonusKind kind);

}  // namespace objects
