#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace engine {

// Reads little-endian values from bytes that came from outside the program. Every read is
// checked against what is left; running short calls the format's own failure, which throws
// the error that format reports, so no reader ever looks past its bytes.
class TByteReader {
 public:
  using TFailure = void (*)();  // must throw

  TByteReader(std::span<const uint8_t> bytes, TFailure fail) : bytes_(bytes), fail_(fail) {}

  size_t Size() const { return bytes_.size(); }
  size_t Position() const { return position_; }
  size_t Remaining() const { return bytes_.size() - position_; }
  bool AtEnd() const { return position_ == bytes_.size(); }
  void Seek(size_t position);

  uint8_t U8();
  uint16_t U16();
  uint32_t U32();
  uint64_t U64() {
    const uint64_t low = U32();
    return low | uint64_t{U32()} << 32;
  }
  int8_t I8() { return static_cast<int8_t>(U8()); }
  int16_t I16() { return static_cast<int16_t>(U16()); }
  int32_t I32() { return static_cast<int32_t>(U32()); }

  // The next count bytes, still inside the reader's buffer.
  std::span<const uint8_t> Take(size_t count);
  void Skip(size_t count) { Take(count); }
  std::string String(size_t count);
  // One length byte, then that many characters.
  std::string ShortString() { return String(U8()); }

  [[noreturn]] void Fail() const;

 private:
  std::span<const uint8_t> bytes_;
  size_t position_ = 0;
  TFailure fail_;
};

}  // namespace engine
