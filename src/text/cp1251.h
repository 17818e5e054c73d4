#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Code page 1251, the code page every name and text of the game is kept in: its one table of
// characters, the conversions to and from UTF-8, and its letter case. The game, the engine's
// stream reader and the records server all convert through here.
namespace text {

// The character a byte stands for; none for 0x98, the one byte the code page leaves undefined.
std::optional<char32_t> CodePointOfCp1251(uint8_t byte);
// The byte that stands for a character; none when the code page cannot hold it.
std::optional<uint8_t> Cp1251Of(char32_t cp);

// The undefined byte is dropped.
std::string Utf8FromCp1251(const std::string& cp1251);
// Characters that code page 1251 cannot hold are dropped.
std::string Cp1251FromUtf8(const std::string& utf8);
// Text for the player's eyes from bytes that should be UTF-8: well-formed sequences are kept,
// and every other byte is read as code page 1251 (a game text that was never converted), so
// what reaches the error box and the simulator's trace is always well-formed.
std::string Utf8ForDisplay(const std::string& bytes);

// Latin and Cyrillic capitals, Ё and the other capitals of the upper half, as small letters;
// every other byte as it is.
uint8_t LowerCp1251(uint8_t c);
std::string LowerCp1251(const std::string& text);
bool SameTextCp1251(const std::string& a, const std::string& b);

}  // namespace text
