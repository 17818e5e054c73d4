#pragma once

#include <cstdint>
#include <string>

// Letter case in code page 1251, the code page every name and text of the game is kept in:
// Latin and Cyrillic capitals, Ё and the other letters of the upper half.
namespace engine {

uint8_t LowerCp1251(uint8_t c);
std::string LowerCp1251(const std::string& text);
bool SameTextCp1251(const std::string& a, const std::string& b);

}  // namespace engine
