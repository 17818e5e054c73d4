#pragma once

#include <cstdint>

namespace engine {

// Antialiased text over a row of pixels: coverage c mixes colour (red × 65536 + green × 256 +
// blue) over each pixel, (colour × c + pixel × (255 − c)) / 255 rounded, channel by channel.
// Pixels without coverage are left as they are; the others come out with a clear top byte.
void BlendCoverageRow(uint32_t* out, const uint8_t* cover, int count, uint32_t colour);

}  // namespace engine
