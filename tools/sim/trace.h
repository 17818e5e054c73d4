#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

class TMForm;

namespace sim {

struct TFrameFacts {
  int64_t frame = 0;
  uint32_t ms = 0;
  int lag = 0;
  // Messages the error box showed during the frame.
  std::vector<std::string> errors;
  // Addresses the game requested during the frame (score submissions).
  std::vector<std::string> requests;
};

// One JSON object a frame, always with the same fields in the same order, so equal runs give
// equal bytes.
std::string TraceRow(const TFrameFacts& facts, const TMForm& form);

// A JSON string literal; bytes that are not printable ASCII are escaped, so CP1251 and
// UTF-8 texts both survive.
std::string JsonString(const std::string& text);
// A JSON array of such strings.
std::string JsonStrings(const std::vector<std::string>& texts);
// A JSON string of a text for reading (an error box's message): its characters as they are,
// only quotes, backslashes and control characters escaped. Bytes that are not UTF-8 are read
// as code page 1251, as the error box reads them.
std::string JsonText(const std::string& utf8);
std::string JsonTexts(const std::vector<std::string>& texts);

}  // namespace sim
