#include "list_request.h"

#include <charconv>
#include <limits>
#include <optional>

namespace records {

namespace {

constexpr int64_t kDay = 86'400;

std::optional<int64_t> Number(std::string_view text, int64_t minimum, int64_t maximum) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || ptr != end || value < minimum || value > maximum) return std::nullopt;
  return value;
}

// "1" or "0"; absent is "0".
std::optional<bool> Flag(const TQuery& query, const std::string& key) {
  const auto value = query.Value(key);
  if (!value || *value == "0") return false;
  if (*value == "1") return true;
  return std::nullopt;
}

// score.time.id, as KeyText writes it.
std::optional<TRecordKey> Key(const std::string& text) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  const size_t first = text.find('.');
  const size_t second = first == std::string::npos ? first : text.find('.', first + 1);
  if (second == std::string::npos) return std::nullopt;
  const std::string_view all(text);
  const auto score = Number(all.substr(0, first), kMin, kMax);
  const auto time = Number(all.substr(first + 1, second - first - 1), kMin, kMax);
  const auto id = Number(all.substr(second + 1), 1, kMax);
  if (!score || !time || !id) return std::nullopt;
  return TRecordKey{*score, *time, *id};
}

}  // namespace

std::optional<size_t> Utf8Length(const std::string& text) {
  size_t characters = 0;
  for (size_t i = 0; i < text.size(); ++characters) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t extra = 0;
    uint32_t code = lead;
    if (lead < 0x20 || lead == 0x7F) return std::nullopt;
    if (lead >= 0x80) {
      if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1, code = lead & 0x1F;
      } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2, code = lead & 0x0F;
      } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3, code = lead & 0x07;
      } else {
        return std::nullopt;
      }
    }
    if (i + extra >= text.size() && extra > 0) return std::nullopt;
    for (size_t k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      code = (code << 6) | (next & 0x3F);
    }
    const uint32_t shortest[] = {0, 0x80, 0x800, 0x10000};
    if (code < shortest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
      return std::nullopt;
    i += extra + 1;
  }
  return characters;
}

namespace {

std::string PercentEncode(const std::string& text) {
  static const char* kHex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
        c == '_' || c == '.') {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

}  // namespace

int64_t WeekStart(int64_t time) {
  const int64_t day = time >= 0 ? time / kDay : (time - kDay + 1) / kDay;
  const int64_t sinceMonday = ((day + 3) % 7 + 7) % 7;  // 1970-01-01 was a Thursday
  return (day - sinceMonday) * kDay;
}

std::string KeyText(const TRecordKey& key) {
  return std::to_string(key.score) + "." + std::to_string(key.time) + "." + std::to_string(key.id);
}

std::string ViewQuery(const TListView& view) {
  std::string out;
  if (view.everyGame) out += "&all=1";
  if (view.week) out += "&week=1";
  if (!view.name.empty()) out += "&name=" + PercentEncode(view.name);
  if (view.verified) out += "&verified=1";
  return out;
}

std::variant<TListRequest, std::string> ParseListRequest(const TQuery& query, int64_t nowSeconds,
                                                         const TListLimits& limits) {
  TListRequest request;
  const auto everyGame = Flag(query, "all");
  const auto week = Flag(query, "week");
  const auto verified = Flag(query, "verified");
  if (!everyGame || !week || !verified) return std::string("all, week and verified are 0 or 1");
  request.view.everyGame = *everyGame;
  request.view.week = *week;
  request.view.verified = *verified;
  request.view.name = query.Value("name").value_or("");
  const auto length = Utf8Length(request.view.name);
  if (!length || *length > limits.longestName)
    return "name is at most " + std::to_string(limits.longestName) + " characters of UTF-8";
  request.page.filter.everyGame = *everyGame;
  request.page.filter.namePrefix = request.view.name;
  request.page.filter.verifiedOnly = *verified;
  if (*week) request.page.filter.since = WeekStart(nowSeconds);
  request.page.limit = limits.rows;

  const auto after = query.Value("after");
  const auto before = query.Value("before");
  if (!after && !before) return request;
  if (after && before) return std::string("after or before, not both");
  const auto key = Key(after ? *after : *before);
  if (!key) return std::string("after and before take score.time.id");
  const auto rank = Number(query.Value("rank").value_or(""), 1, limits.largestRank);
  if (!rank) return "rank must be 1.." + std::to_string(limits.largestRank);
  (after ? request.page.after : request.page.before) = *key;
  request.anchorRank = *rank;
  return request;
}

}  // namespace records
