#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

// UTF-8 written and read, the one encoder and decoder of the game, its tools and the records
// server.
namespace text {

constexpr char32_t kReplacementCharacter = 0xFFFD;

// Appends the shortest UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t cp);
// The bytes the shortest UTF-8 form of a code point takes; 0 for no code point.
size_t Utf8Length(char32_t cp);
// Decodes the sequence at `pos` and moves past it; a malformed one yields
// kReplacementCharacter and moves one byte on.
char32_t NextCodePoint(const std::string& s, size_t& pos);
// UTF-16, little-endian, as UTF-8: a surrogate without its partner becomes
// kReplacementCharacter, and an odd last byte is dropped.
std::string Utf8FromUtf16Le(std::span<const uint8_t> units);

}  // namespace text
