#pragma once

// The bonuses as the game numbers them: entries 1..10 of a level's table, each standing for
// one of the kinds 0..9 a bonus sprite shows and the craft owns.
namespace objects {

constexpr int kBonusEntries = 10;
constexpr int kBonusKinds = 10;
// Entries whose bonus only appears when it is forced: the hero bonus's entry.
constexpr int kHeroBonusEntry = 4;

// Entry 1..10 to bonus kind 0..9 and back; 0 for a value outside the table.
int BonusKindOf(int entry);
int BonusSlotOf(int kind);

}  // namespace objects
