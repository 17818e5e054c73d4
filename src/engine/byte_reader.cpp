#include "engine/byte_reader.h"

#include <cstdlib>

namespace engine {

void TByteReader::Fail() const {
  fail_();
  std::abort();  // a failure that returns is a programming error
}

void TByteReader::Seek(size_t position) {
  if (position > bytes_.size()) Fail();
  position_ = position;
}

std::span<const uint8_t> TByteReader::Take(size_t count) {
  if (count > Remaining()) Fail();
  const std::span<const uint8_t> taken = bytes_.subspan(position_, count);
  position_ += count;
  return taken;
}

uint8_t TByteReader::U8() {
  return Take(1)[0];
}

uint16_t TByteReader::U16() {
  const auto b = Take(2);
  return static_cast<uint16_t>(b[0] | (b[1] << 8));
}

uint32_t TByteReader::U32() {
  const auto b = Take(4);
  return static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
         (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24);
}

std::string TByteReader::String(size_t count) {
  const auto b = Take(count);
  return std::string(b.begin(), b.end());
}

}  // namespace engine
