#pragma once

#include <string>

namespace test_support {

// Writes the smallest module the music library accepts: one empty pattern, no instruments.
void WriteMinimalXm(const std::string& path);

}  // namespace test_support
