#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Colours as the resource files name them: 0x00BBGGRR values, the named colours, and the
// system colours (0xFF000000 plus an index) that stand for the desktop's own.
namespace engine {

constexpr int32_t clNone = 0x1FFFFFFF;
constexpr int32_t clDefault = 0x20000000;
constexpr uint32_t kSystemColourFlag = 0xFF000000;

std::optional<int32_t> ColourFromIdentifier(const std::string& identifier);
// The identifier of a value, if it has one.
std::optional<std::string> IdentifierOfColour(int32_t colour);
// A colour as 0x00BBGGRR: system colours resolved to a fixed desktop palette (there is no
// system palette to ask here), other values taken by their low 24 bits.
uint32_t ColorToRGB(int32_t colour);

}  // namespace engine
