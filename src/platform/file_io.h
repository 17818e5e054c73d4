#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// Reads a whole file. On failure returns false and says why in the system's words.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes, std::string& why);

// Replaces a file in one step: the bytes go to a temporary file beside it, which is flushed
// and renamed over the old one, so a crash never leaves a half-written file behind.
bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes, std::string& why);

}  // namespace platform
