#include "query.h"

namespace records {

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::string> PercentDecode(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '+') {
      out += ' ';
    } else if (text[i] != '%') {
      out += text[i];
    } else {
      if (i + 2 >= text.size()) return std::nullopt;
      const int high = HexValue(text[i + 1]);
      const int low = HexValue(text[i + 2]);
      if (high < 0 || low < 0) return std::nullopt;
      out += static_cast<char>(high * 16 + low);
      i += 2;
    }
  }
  return out;
}

std::optional<TQuery> TQuery::Parse(const std::string& raw) {
  TQuery query;
  size_t start = 0;
  while (start <= raw.size()) {
    size_t end = raw.find('&', start);
    if (end == std::string::npos) end = raw.size();
    const std::string field = raw.substr(start, end - start);
    start = end + 1;
    if (field.empty()) continue;
    if (query.fields_.size() == kMaxQueryFields) return std::nullopt;
    const size_t equals = field.find('=');
    const auto key = PercentDecode(field.substr(0, equals));
    const auto value =
        PercentDecode(equals == std::string::npos ? std::string() : field.substr(equals + 1));
    if (!key || !value) return std::nullopt;
    query.fields_.emplace_back(*key, *value);
  }
  return query;
}

bool TQuery::Has(const std::string& key) const {
  return Value(key).has_value();
}

std::optional<std::string> TQuery::Value(const std::string& key) const {
  for (const auto& [k, v] : fields_)
    if (k == key) return v;
  return std::nullopt;
}

}  // namespace records
