#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace records {

// A request's query string split at '&' into keys and values, both percent-decoded ('+' is a
// blank, as a browser's form sends it). A key without '=' has an empty value.
class TQuery {
 public:
  // Empty for a malformed escape ("%4", "%zz") or more than kMaxQueryFields fields.
  static std::optional<TQuery> Parse(const std::string& raw);

  bool Has(const std::string& key) const;
  // The first value given for key.
  std::optional<std::string> Value(const std::string& key) const;

 private:
  std::vector<std::pair<std::string, std::string>> fields_;
};

constexpr size_t kMaxQueryFields = 32;

// Percent-decoding; empty on a malformed escape.
std::optional<std::string> PercentDecode(const std::string& text);

}  // namespace records
