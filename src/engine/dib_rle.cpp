#include "engine/dib_decode.h"

namespace engine::dib_detail {

namespace {

enum TEscape : uint8_t { kEndOfLine = 0, kEndOfBitmap = 1, kDelta = 2 };

class TRunLengthCanvas {
 public:
  TRunLengthCanvas(int width, int height)
      : width_(width), height_(height), indexes_(static_cast<size_t>(width) * height, 0) {}

  // x only grows within a line and never past 255 × the data length, so int64 is ample.
  void Put(int64_t& x, int64_t y, uint8_t index) {
    if (x < width_ && y < height_) indexes_[static_cast<size_t>(y * width_ + x)] = index;
    ++x;
  }
  std::vector<uint8_t>& Indexes() { return indexes_; }

 private:
  int64_t width_;
  int64_t height_;
  std::vector<uint8_t> indexes_;
};

}  // namespace

std::vector<uint8_t> DecodeRunLengths(std::span<const uint8_t> data, int width, int height,
                                      int bitCount) {
  const bool nibbles = bitCount == 4;
  TRunLengthCanvas canvas(width, height);
  int64_t x = 0;
  int64_t y = 0;
  size_t pos = 0;
  while (pos + 1 < data.size() && y < height) {
    const uint8_t count = data[pos];
    const uint8_t value = data[pos + 1];
    pos += 2;
    if (count > 0) {
      // An encoded run repeats one byte: for RLE4 its two nibbles alternate.
      for (int i = 0; i < count; ++i)
        canvas.Put(x, y, nibbles ? ((i & 1) ? value & 0x0F : value >> 4) : value);
      continue;
    }
    if (value == kEndOfLine) {
      x = 0;
      ++y;
    } else if (value == kEndOfBitmap) {
      break;
    } else if (value == kDelta) {
      if (pos + 1 >= data.size()) break;
      x += data[pos];
      y += data[pos + 1];
      pos += 2;
    } else {
      // An absolute run: `value` pixels stored as they are, padded to a 16-bit boundary.
      const size_t bytes = nibbles ? (value + 1u) / 2 : value;
      for (int i = 0; i < value; ++i) {
        const size_t at = pos + (nibbles ? i / 2 : i);
        if (at >= data.size()) break;
        canvas.Put(x, y, nibbles ? ((i & 1) ? data[at] & 0x0F : data[at] >> 4) : data[at]);
      }
      pos += bytes + (bytes & 1);
    }
  }
  return std::move(canvas.Indexes());
}

}  // namespace engine::dib_detail
