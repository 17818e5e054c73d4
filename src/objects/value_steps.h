#pragma once

// Steps of integer values held by reference, shared by the screens and the sprites: menu
// selections that wrap or stop at their ends, and timers counted down once a frame.
namespace objects {

// lo ≤ v < hi: one up; otherwise back to lo.
inline void StepNextWrap(int& v, int lo, int hi) {
  v = (v >= lo && v < hi) ? v + 1 : lo;
}
// lo < v ≤ hi: one down; otherwise round to hi.
inline void StepPrevWrap(int& v, int lo, int hi) {
  v = (v > lo && v <= hi) ? v - 1 : hi;
}
inline void StepUp(int& v, int hi, int d) {
  if (v + d <= hi) v += d;
}
inline void StepDown(int& v, int lo, int d) {
  if (v - d >= lo) v -= d;
}
inline void ClampToFirst(int& v, int lo, int hi) {
  if (v < lo || v > hi) v = lo;
}
inline void ClampToLast(int& v, int lo, int hi) {
  if (v < lo || v > hi) v = hi;
}
// A timer that runs out: false, and the value left alone, when the step would take it below lo.
inline bool CountDown(int& v, int lo, int d) {
  if (v - d < lo) return false;
  v -= d;
  return true;
}

}  // namespace objects
