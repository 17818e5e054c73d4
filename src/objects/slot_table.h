#pragma once

#include <array>

namespace objects {

// A fixed table of game objects, slots numbered from 1. A slot's sprite is reached only while
// the slot is used; freeing a slot ends its sprite, which the engine frees after the frame.
// A full table refuses a new object without complaint.
template <typename TObject, int kSlotCount>
class TSlotTable {
 public:
  static constexpr int kSlots = kSlotCount;

  // The lowest free slot, or 0 when every slot is used.
  int FirstFree() const {
    for (int i = 1; i <= kSlots; ++i) {
      if (!used_[i]) return i;
    }
    return 0;
  }

  bool Used(int i) const { return InRange(i) && used_[i]; }
  TObject* operator[](int i) const { return Used(i) ? objects_[i] : nullptr; }

  void Put(int i, TObject* object) {
    if (!InRange(i)) return;
    objects_[i] = object;
    used_[i] = true;
  }

  // A slot that is not used holds nothing to end: freeing it twice is harmless.
  void Free(int i) {
    if (!Used(i)) return;
    used_[i] = false;
    objects_[i]->KillOnce();
    objects_[i] = nullptr;
  }

  void FreeAll() {
    for (int i = 1; i <= kSlots; ++i) Free(i);
  }

  int UsedCount() const {
    int count = 0;
    for (int i = 1; i <= kSlots; ++i) count += used_[i] ? 1 : 0;
    return count;
  }

 private:
  static bool InRange(int i) { return i >= 1 && i <= kSlots; }

  std::array<TObject*, kSlots + 1> objects_{};
  std::array<bool, kSlots + 1> used_{};
};

}  // namespace objects
