#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Shared by the DIB decoder's parts; not for use outside them.
namespace engine::dib_detail {

[[noreturn]] void ThrowInvalidDib();

// Run-length data (RLE8 when bitCount is 8, RLE4 when 4) decoded into palette indexes,
// bottom row first, by the published rules. Pixels the runs place outside the bitmap are
// dropped; pixels no run reaches keep index 0; data ending without its end-of-bitmap mark
// is still a picture.
std::vector<uint8_t> DecodeRunLengths(std::span<const uint8_t> data, int width, int height,
                                      int bitCount);

}  // namespace engine::dib_detail
