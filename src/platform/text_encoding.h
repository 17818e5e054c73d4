#pragma once

#include <string>

// The game keeps every text in code page 1251; the window system speaks UTF-8.
namespace platform {

std::string Utf8FromCp1251(const std::string& cp1251);
// Characters that code page 1251 cannot hold are dropped.
std::string Cp1251FromUtf8(const std::string& utf8);

}  // namespace platform
