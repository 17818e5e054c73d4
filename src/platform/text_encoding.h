#pragma once

#include <string>

// The game keeps every text in code page 1251; the window system speaks UTF-8.
namespace platform {

std::string Utf8FromCp1251(const std::string& cp1251);
// Characters that code page 1251 cannot hold are dropped.
std::string Cp1251FromUtf8(const std::string& utf8);
// Text for the player's eyes from bytes that should be UTF-8: well-formed sequences are kept,
// and every other byte is read as code page 1251 (a game text that was never converted), so
// what reaches the error box and the simulator's trace is always well-formed.
std::string Utf8ForDisplay(const std::string& bytes);

}  // namespace platform
