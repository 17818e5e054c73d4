#include "keyed_hash.h"

#include <bit>

namespace records {

namespace {

struct TSipState {
  uint64_t v0, v1, v2, v3;

  void Round() {
    v0 += v1;
    v1 = std::rotl(v1, 13);
    v1 ^= v0;
    v0 = std::rotl(v0, 32);
    v2 += v3;
    v3 = std::rotl(v3, 16);
    v3 ^= v2;
    v0 += v3;
    v3 = std::rotl(v3, 21);
    v3 ^= v0;
    v2 += v1;
    v1 = std::rotl(v1, 17);
    v1 ^= v2;
    v2 = std::rotl(v2, 32);
  }

  void Absorb(uint64_t word) {
    v3 ^= word;
    Round();
    Round();
    v0 ^= word;
  }
};

uint64_t LittleEndianWord(const unsigned char* bytes, size_t count) {
  uint64_t word = 0;
  for (size_t i = 0; i < count; ++i) word |= static_cast<uint64_t>(bytes[i]) << (8 * i);
  return word;
}

}  // namespace

uint64_t SipHash24(const TSipKey& key, std::string_view data) {
  TSipState s{key[0] ^ 0x736f6d6570736575ULL, key[1] ^ 0x646f72616e646f6dULL,
              key[0] ^ 0x6c7967656e657261ULL, key[1] ^ 0x7465646279746573ULL};
  const auto* bytes = reinterpret_cast<const unsigned char*>(data.data());
  const size_t whole = data.size() / 8 * 8;
  for (size_t i = 0; i < whole; i += 8) s.Absorb(LittleEndianWord(bytes + i, 8));
  const uint64_t last = LittleEndianWord(bytes + whole, data.size() - whole) |
                        (static_cast<uint64_t>(data.size()) << 56);
  s.Absorb(last);
  s.v2 ^= 0xff;
  for (int i = 0; i < 4; ++i) s.Round();
  return s.v0 ^ s.v1 ^ s.v2 ^ s.v3;
}

}  // namespace records
