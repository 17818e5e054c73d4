#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace engine {

// A picture as the game's files hold it: the bytes of a device-independent bitmap (header,
// colour table or channel masks, rows) and its pixels decoded for drawing, top row first,
// 32 bits a pixel (red × 65536 + green × 256 + blue).
class TDIB {
 public:
  // Pictures past these are not pictures of ours and are refused before anything is made.
  // The largest of ours is 800 × 600; the pixel limit is an image list's budget (see
  // TPictureCollection), since a picture larger than a whole list has no place in one.
  static constexpr int kLargestSide = 16384;
  static constexpr uint64_t kMostPixels = uint64_t{16} << 20;

  bool Empty() const { return width_ == 0; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  int BitCount() const { return bitCount_; }
  const std::vector<uint32_t>& Pixels() const { return pixels_; }
  uint32_t Pixel(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }

  // The DIB layout without a file header; every byte given is taken as the picture's. No
  // bytes at all is an empty picture. A picture of more than mostPixels is refused as
  // invalid before its pixels are made.
  void LoadFromDibData(std::span<const uint8_t> bytes, uint64_t mostPixels = kMostPixels);
  // A BMP file: the 14-byte file header ("BM"), then the DIB data.
  void LoadFromBmpFile(std::span<const uint8_t> bytes, uint64_t mostPixels = kMostPixels);

  // The bytes as loaded (or as made by FromPixels), for writing the picture back.
  const std::vector<uint8_t>& DibData() const { return dibData_; }
  std::vector<uint8_t> BmpFile() const;

  // A 24-bit picture of the given pixels (top row first; the top byte is ignored).
  static TDIB FromPixels(int width, int height, const std::vector<uint32_t>& pixels);

 private:
  void Decode(std::span<const uint8_t> dib, size_t pixelOffset, uint64_t mostPixels);

  int width_ = 0;
  int height_ = 0;
  int bitCount_ = 0;
  std::vector<uint32_t> pixels_;
  std::vector<uint8_t> dibData_;
  size_t pixelsAt_ = 0;  // where the rows start in dibData_, as decoding found them
};

}  // namespace engine
