#pragma once

namespace platform {

// Whether the processor has AVX2, for the drawing loops that have a wider variant; the
// SSE2 variants run everywhere else. Asked once.
inline bool HasAvx2() {
  static const bool available = __builtin_cpu_supports("avx2");
  return available;
}

}  // namespace platform
