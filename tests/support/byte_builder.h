#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace test_support {

// Bytes written out by hand in a test, little-endian, so that files can be spelled out
// byte for byte without going through the code under test.
class TBytes {
 public:
  TBytes& U8(uint32_t v) {
    bytes.push_back(static_cast<uint8_t>(v));
    return *this;
  }
  TBytes& U16(uint32_t v) { return U8(v).U8(v >> 8); }
  TBytes& U32(uint32_t v) { return U16(v).U16(v >> 16); }
  TBytes& Raw(const std::string& s) {
    bytes.insert(bytes.end(), s.begin(), s.end());
    return *this;
  }
  TBytes& Raw(const std::vector<uint8_t>& v) {
    bytes.insert(bytes.end(), v.begin(), v.end());
    return *this;
  }
  // A short string: one length byte, then the characters.
  TBytes& Str(const std::string& s) { return U8(static_cast<uint32_t>(s.size())).Raw(s); }
  TBytes& Fill(size_t count, uint8_t value) {
    bytes.insert(bytes.end(), count, value);
    return *this;
  }

  std::vector<uint8_t> bytes;
};

// The resource header our lists start with: 0xFF, type 10, a name, flags, the rest's length.
inline TBytes ResourceHeader(const std::string& name, uint32_t restLength) {
  TBytes b;
  b.U8(0xFF).U16(10).Raw(name).U8(0).U16(0x1030).U32(restLength);
  return b;
}

// A 40-byte DIB header.
inline TBytes InfoHeader(int32_t width, int32_t height, int bits, uint32_t compression = 0,
                         uint32_t imageSize = 0, uint32_t colorsUsed = 0) {
  TBytes b;
  b.U32(40).U32(static_cast<uint32_t>(width)).U32(static_cast<uint32_t>(height)).U16(1);
  b.U16(bits).U32(compression).U32(imageSize).U32(0).U32(0).U32(colorsUsed).U32(0);
  return b;
}

}  // namespace test_support
