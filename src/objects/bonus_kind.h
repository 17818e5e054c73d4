#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// What a bonus gives when the craft takes it. The numbers are the game's own: a bonus sprite
// carries one, and the replays and traces record the game they decide.
namespace objects {

enum class TBonusKind : uint8_t {
  BasicGun = 0,
  Score = 1,
  RocketLauncher = 2,
  Hero = 3,
  Nothing = 4,
  MegaBomb = 5,
  Life = 6,
  RapidGun = 7,
  DoubleGun = 8,
  TripleRocket = 9,
};

constexpr int kBonusKinds = 10;

// The picture of a bonus of each kind, drawn by assetgen under these names; the empty bonus
// shows the basic gun's.
constexpr std::array<const char*, kBonusKinds> kBonusImages = {
    "BNull",     "BScore", "BRocket",    "BHero",     "BNull",
    "BMegaBomb", "BLife",  "BSingleGun", "BMultiGun", "BRocket3x"};

constexpr const char* BonusImageOf(TBonusKind kind) {
  const auto index = static_cast<std::size_t>(kind);
  return index < kBonusImages.size() ? kBonusImages[index] : kBonusImages[0];
}

}  // namespace objects
