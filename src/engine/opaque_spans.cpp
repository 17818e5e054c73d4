#include "engine/opaque_spans.h"

namespace engine {

void TOpaqueSpans::Build(const uint32_t* pixels, int width, int height, uint32_t key) {
  spans_.clear();
  rowStart_.assign(static_cast<size_t>(height) + 1, 0);
  for (int y = 0; y < height; ++y) {
    rowStart_[y] = spans_.size();
    const uint32_t* row = pixels + static_cast<size_t>(y) * width;
    for (int x = 0; x < width;) {
      while (x < width && row[x] == key) ++x;
      const int start = x;
      while (x < width && row[x] != key) ++x;
      if (x > start) spans_.push_back({start, x - start});
    }
  }
  rowStart_[height] = spans_.size();
  key_ = key;
  valid_ = true;
}

}  // namespace engine
