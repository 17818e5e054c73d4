#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace persist {

using TSha256 = std::array<uint8_t, 32>;

// SHA-256 (FIPS 180-4), fed in pieces.
class TSha256Hasher {
 public:
  TSha256Hasher();
  void Add(std::span<const uint8_t> bytes);
  void Add(const std::string& text);
  TSha256 Finish();

 private:
  void Block(const uint8_t* block);

  std::array<uint32_t, 8> state_;
  std::array<uint8_t, 64> buffer_{};
  size_t buffered_ = 0;
  uint64_t length_ = 0;
};

TSha256 Sha256(std::span<const uint8_t> bytes);
std::string HexOf(std::span<const uint8_t> bytes);

}  // namespace persist
