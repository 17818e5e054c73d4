#include "persist/options_file.h"

#include "persist/text_reader.h"
#include "platform/events.h"

namespace persist {

namespace {

constexpr uint16_t kF1 = 112;
constexpr int kFunctionKeys = 12;
constexpr uint16_t kDefaultBossKey = 120;  // F9

// The file's modifier codes: 1 Alt, 2 Ctrl, 3 Shift, 0 none.
int ModifierCode(uint8_t shift) {
  if (shift & platform::kShiftAlt) return 1;
  if (shift & platform::kShiftCtrl) return 2;
  if (shift & platform::kShiftShift) return 3;
  return 0;
}

}  // namespace

void DefaultOptions(TSettingsRef s) {
  s.options.FullScreen = false;
  s.options.Music = true;
  s.options.Sounds = true;
  s.bossShift = platform::kShiftAlt;
  s.bossKey = kDefaultBossKey;
  s.options.Country = kDefaultCountry;
}

void ReadOptions(TSettingsRef s, std::vector<uint8_t> bytes) {
  TTextReader in(std::move(bytes));
  auto flag = [&in]() {
    const bool value = in.ReadInteger() != 0;
    in.SkipLine();
    return value;
  };
  s.options.FullScreen = flag();
  s.options.Music = flag();
  s.options.Sounds = flag();
  s.options.Country = in.ReadLine();
  const int modifier = in.ReadInteger();
  in.SkipLine();
  if (modifier == 0) s.bossShift = 0;
  if (modifier == 1) s.bossShift = platform::kShiftAlt;
  if (modifier == 2) s.bossShift = platform::kShiftCtrl;
  if (modifier == 3) s.bossShift = platform::kShiftShift;
  const int key = in.ReadInteger();
  in.SkipLine();
  if (key == 0) s.bossKey = 0;
  if (key >= 1 && key <= kFunctionKeys) s.bossKey = static_cast<uint16_t>(kF1 - 1 + key);
  s.highScoreCheck = in.ReadLine();
}

std::vector<uint8_t> OptionsFileBytes(const TSettingsRef& s, const std::string& checksum) {
  TTextWriter out;
  out.Line(s.options.FullScreen ? "1" : "0");
  out.Line(s.options.Music ? "1" : "0");
  out.Line(s.options.Sounds ? "1" : "0");
  out.Line(s.options.Country);
  out.Line(std::to_string(ModifierCode(s.bossShift)));
  const bool functionKey = s.bossKey >= kF1 && s.bossKey < kF1 + kFunctionKeys;
  out.Line(std::to_string(functionKey ? s.bossKey - (kF1 - 1) : 0));
  out.Line(checksum);
  return out.Bytes();
}

}  // namespace persist
