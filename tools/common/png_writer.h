#pragma once

#include <cstdint>
#include <string>

namespace tools {

// Writes 32-bit pixels (red × 65536 + green × 256 + blue) as an 8-bit RGB PNG file; throws
// std::runtime_error naming the file when it cannot.
void WritePng(const std::string& path, const uint32_t* pixels, int width, int height);

}  // namespace tools
