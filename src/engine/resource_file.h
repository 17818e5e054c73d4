#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace engine {

// A resource file read whole, or EInOutError "Cannot open file "%s". %s".
std::vector<uint8_t> ReadResourceFile(const std::string& path);
// Written whole in one step, or EInOutError "Cannot create file "%s". %s".
void WriteResourceFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace engine
