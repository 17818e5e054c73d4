#include "record_decoder.h"

#include "score/score_record.h"

namespace records {

std::optional<std::string> DecodeScoreRecord(const std::string& symbols) {
  // k bytes are 8k bits, padded in front with zeros to the next multiple of 5: n symbols
  // hold at most one k, with 5n - 8k < 5 leading zero bits.
  const size_t totalBits = symbols.size() * score::kSymbolBits;
  const size_t leadingBits = totalBits % 8;
  if (leadingBits >= static_cast<size_t>(score::kSymbolBits)) return std::nullopt;
  std::string bits;
  bits.reserve(totalBits);
  for (char symbol : symbols) {
    const int value = score::SymbolValue(symbol);
    if (value < 0) return std::nullopt;
    for (int b = score::kSymbolBits - 1; b >= 0; --b) bits += ((value >> b) & 1) ? '1' : '0';
  }
  if (bits.find('1') < leadingBits) return std::nullopt;
  std::string bytes;
  bytes.reserve(totalBits / 8);
  for (size_t i = leadingBits; i < bits.size(); i += 8) {
    int byte = 0;
    for (size_t j = 0; j < 8; ++j) byte = byte * 2 + (bits[i + j] == '1' ? 1 : 0);
    bytes += static_cast<char>(byte);
  }
  return bytes;
}

}  // namespace records
