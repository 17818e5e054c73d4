#include "score/score_record.h"

#include <array>

namespace score {

std::string BuildScoreRecord(const std::string& name, int32_t score, const std::string& country) {
  std::string record;
  const auto field = [&record](std::string_view name, const std::string& value) {
    record.append(name).append(value) += kFieldSeparator;
  };
  field(kTypeField, kRecordType);
  field(kNameField, name);
  field(kScoreField, std::to_string(score));
  field(kKeyField, std::string(1, kScoreKey));
  field(kPlayerField, "");
  field(kCountryField, country);
  record.append(kEndField);
  while (record.size() % kRecordBlock != 0) record += kRecordPad;
  return record;
}

std::string EncodeScoreRecord(const std::string& text) {
  std::string bits;
  for (unsigned char c : text)
    for (int b = 7; b >= 0; --b) bits += ((c >> b) & 1) ? '1' : '0';
  while (bits.size() % kSymbolBits != 0) bits.insert(bits.begin(), '0');
  std::string symbols;
  for (size_t i = 0; i < bits.size(); i += kSymbolBits) {
    int v = 0;
    for (int j = 0; j < kSymbolBits; ++j) v = v * 2 + (bits[i + j] != '0' ? 1 : 0);
    symbols += kScoreAlphabet[v];
  }
  return symbols;
}

int SymbolValue(char symbol) {
  static const std::array<int8_t, 256> kValues = [] {
    std::array<int8_t, 256> values{};
    values.fill(-1);
    for (int v = 0; v < (1 << kSymbolBits); ++v)
      values[static_cast<uint8_t>(kScoreAlphabet[v])] = static_cast<int8_t>(v);
    return values;
  }();
  return kValues[static_cast<uint8_t>(symbol)];
}

}  // namespace score
