#pragma once

#include <bitset>

namespace engine {

// The 36 logical input states: four directions and 32 buttons.
enum TDXInputState : int {
  ksUp = 0,
  ksDown = 1,
  ksLeft = 2,
  ksRight = 3,
  ksButton1 = 4,  // ksButtonN is ksButton1 + N - 1, up to ksButton32 = 35
  ksButton32 = 35,
};

constexpr int kInputStateCount = 36;
constexpr int ksButton(int n) {
  return ksButton1 + n - 1;
}

using TDXInputStates = std::bitset<kInputStateCount>;

}  // namespace engine
