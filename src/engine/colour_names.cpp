#include "engine/colour_names.h"

#include <array>
#include <utility>

#include "text/cp1251.h"

namespace engine {

namespace {

constexpr std::array<std::pair<const char*, uint32_t>, 20> kNamedColours{{
    {"clBlack", 0x000000}, {"clMaroon", 0x000080},     {"clGreen", 0x008000},
    {"clOlive", 0x008080}, {"clNavy", 0x800000},       {"clPurple", 0x800080},
    {"clTeal", 0x808000},  {"clGray", 0x808080},       {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},   {"clLime", 0x00FF00},       {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},  {"clFuchsia", 0xFF00FF},    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF}, {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
    {"clCream", 0xF0FBFF}, {"clMedGray", 0xA4A0A0},
}};

// The system colours by index, with the classic grey desktop's values (0x00BBGGRR).
constexpr std::array<std::pair<const char*, uint32_t>, 31> kSystemColours{{
    {"clScrollBar", 0xC8C8C8},
    {"clBackground", 0xA56E3A},
    {"clActiveCaption", 0x6A240A},
    {"clInactiveCaption", 0x808080},
    {"clMenu", 0xC8D0D4},
    {"clWindow", 0xFFFFFF},
    {"clWindowFrame", 0x000000},
    {"clMenuText", 0x000000},
    {"clWindowText", 0x000000},
    {"clCaptionText", 0xFFFFFF},
    {"clActiveBorder", 0xC8D0D4},
    {"clInactiveBorder", 0xC8D0D4},
    {"clAppWorkSpace", 0x808080},
    {"clHighlight", 0x6A240A},
    {"clHighlightText", 0xFFFFFF},
    {"clBtnFace", 0xC8D0D4},
    {"clBtnShadow", 0x808080},
    {"clGrayText", 0x808080},
    {"clBtnText", 0x000000},
    {"clInactiveCaptionText", 0xC8D0D4},
    {"clBtnHighlight", 0xFFFFFF},
    {"cl3DDkShadow", 0x404040},
    {"cl3DLight", 0xC8D0D4},
    {"clInfoText", 0x000000},
    {"clInfoBk", 0xE1FFFF},
    {nullptr, 0x000000},  // index 25 has no name
    {"clHotLight", 0x800000},
    {"clGradientActiveCaption", 0xF0CAA6},
    {"clGradientInactiveCaption", 0xC0C0C0},
    {"clMenuHighlight", 0x6A240A},
    {"clMenuBar", 0xC8D0D4},
}};

constexpr std::array<std::pair<const char*, int32_t>, 2> kSpecialColours{{
    {"clNone", clNone},
    {"clDefault", clDefault},
}};

int32_t SystemColour(size_t index) {
  return static_cast<int32_t>(kSystemColourFlag | index);
}

}  // namespace

std::optional<int32_t> ColourFromIdentifier(const std::string& identifier) {
  for (const auto& [name, value] : kNamedColours)
    if (text::SameTextCp1251(name, identifier)) return static_cast<int32_t>(value);
  for (size_t i = 0; i < kSystemColours.size(); ++i)
    if (kSystemColours[i].first && text::SameTextCp1251(kSystemColours[i].first, identifier))
      return SystemColour(i);
  for (const auto& [name, value] : kSpecialColours)
    if (text::SameTextCp1251(name, identifier)) return value;
  return std::nullopt;
}

std::optional<std::string> IdentifierOfColour(int32_t colour) {
  for (const auto& [name, value] : kNamedColours)
    if (static_cast<int32_t>(value) == colour) return name;
  for (size_t i = 0; i < kSystemColours.size(); ++i)
    if (kSystemColours[i].first && SystemColour(i) == colour) return kSystemColours[i].first;
  for (const auto& [name, value] : kSpecialColours)
    if (value == colour) return name;
  return std::nullopt;
}

uint32_t ColorToRGB(int32_t colour) {
  const uint32_t bits = static_cast<uint32_t>(colour);
  if ((bits & kSystemColourFlag) == kSystemColourFlag) {
    const uint32_t index = bits & 0xFF;
    return index < kSystemColours.size() ? kSystemColours[index].second : 0;
  }
  return bits & 0xFFFFFF;
}

}  // namespace engine
