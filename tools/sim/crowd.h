#pragma once

#include <cstdint>
#include <random>

class TMForm;

namespace sim {

// The busiest scene the game can show, kept up frame after frame for measuring: whenever a
// game runs with no window open, every free slot of the four tables is filled on screen
// (enemies of every kind, hunters, bonuses, rockets of both sides) and the craft keeps its
// lives, so the wingman goes on flying.
class TCrowd {
 public:
  explicit TCrowd(uint32_t seed) : random_(seed) {}

  void BeforeFrame(TMForm& form);

 private:
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  std::mt19937 random_;
};

}  // namespace sim
