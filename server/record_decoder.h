#pragma once

#include <optional>
#include <string>

namespace records {

// The exact inverse of score::EncodeScoreRecord: symbols back to the bytes. Empty when a
// symbol is not in the alphabet, the count of symbols is not one the encoder makes, or the
// bits the encoder puts in front of the first byte are not zero: no two inputs give one
// text, and every text the encoder makes comes back.
std::optional<std::string> DecodeScoreRecord(const std::string& symbols);

}  // namespace records
