#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace records {

// A result as the game sent it, name and country still in code page 1251.
struct TSubmission {
  std::string name;
  std::string country;
  int64_t score = 0;
};

struct TSubmissionLimits {
  size_t longestName = 12;  // bytes, which are characters in code page 1251
  size_t longestCountry = 12;
  int64_t highestScore = 10'000'000;
};

// Every way of scoring in the game gives a multiple of this.
constexpr int64_t kScoreStep = 5;

struct TParsedSubmission {
  std::optional<TSubmission> submission;
  std::string error;  // one line for the client when there is no submission
};

// Reads a decoded record: "type=0|name=…|score=…|key=…|p=|add=…|z=" and its padding of "0"s
// to a whole number of 5-byte blocks, and checks it against the limits. A name or country may
// hold '|' itself, so the fields are found from both ends: the record's last "|z=" ends the
// country, and the first "|score=<digits>|key=" after "name=" ends the name.
TParsedSubmission ParseSubmission(const std::string& record, const TSubmissionLimits& limits);

}  // namespace records
