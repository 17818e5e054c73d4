#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace engine {

// The runs of pixels of each row that differ from a colour key, so a transparent copy moves
// whole runs instead of testing every pixel. Built once for a picture that no longer changes.
class TOpaqueSpans {
 public:
  struct TSpan {
    int32_t start;
    int32_t length;
  };

  void Build(const uint32_t* pixels, int width, int height, uint32_t key);
  bool ValidFor(uint32_t key) const { return valid_ && key_ == key; }
  void Invalidate() { valid_ = false; }

  // The spans of row y, in order.
  const TSpan* RowBegin(int y) const { return spans_.data() + rowStart_[y]; }
  const TSpan* RowEnd(int y) const { return spans_.data() + rowStart_[y + 1]; }

 private:
  std::vector<TSpan> spans_;
  std::vector<size_t> rowStart_;
  uint32_t key_ = 0;
  bool valid_ = false;
};

}  // namespace engine
