#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace engine {

// Appends little-endian values: the other half of TByteReader, for the files we write.
class TByteWriter {
 public:
  std::vector<uint8_t>& Bytes() { return bytes_; }
  size_t Size() const { return bytes_.size(); }

  void U8(uint8_t value) { bytes_.push_back(value); }
  void U16(uint16_t value) {
    U8(static_cast<uint8_t>(value));
    U8(static_cast<uint8_t>(value >> 8));
  }
  void U32(uint32_t value) {
    U16(static_cast<uint16_t>(value));
    U16(static_cast<uint16_t>(value >> 16));
  }
  void I32(int32_t value) { U32(static_cast<uint32_t>(value)); }
  void U64(uint64_t value) {
    U32(static_cast<uint32_t>(value));
    U32(static_cast<uint32_t>(value >> 32));
  }
  void Append(std::span<const uint8_t> bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  }
  void Append(const std::string& text) { bytes_.insert(bytes_.end(), text.begin(), text.end()); }
  // Names are short strings: longer ones would not read back, so they are a caller's error.
  void ShortString(const std::string& text);
  // Writes a 32-bit value at an earlier position (a length known only later).
  void PatchU32(size_t position, uint32_t value);

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace engine
