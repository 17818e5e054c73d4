#include "record_parser.h"

#include <string_view>

#include "score/score_record.h"

namespace records {

namespace {

// The record's fixed stretches, from the names the game writes them with.
struct TMarks {
  std::string head, score, key, country, end;
};

const TMarks& Marks() {
  using namespace score;
  const std::string bar(1, kFieldSeparator);
  static const TMarks marks{std::string(kTypeField) + kRecordType + bar + std::string(kNameField),
                            bar + std::string(kScoreField), bar + std::string(kKeyField),
                            bar + std::string(kPlayerField) + bar + std::string(kCountryField),
                            bar + std::string(kEndField)};
  return marks;
}

// More digits than this cannot be a score of any game, and would not fit in 64 bits.
constexpr size_t kLongestScore = 18;

TParsedSubmission Refuse(std::string reason) {
  return {std::nullopt, std::move(reason)};
}

struct TMiddle {
  std::string_view name, score, key, country;
};

// The name ends at the first "|score=[-]digits|key=X|p=|add=" that follows it.
std::optional<TMiddle> SplitMiddle(std::string_view body) {
  const std::string_view scoreMark = Marks().score, keyMark = Marks().key,
                         countryMark = Marks().country;
  for (size_t at = body.find(scoreMark); at != std::string_view::npos;
       at = body.find(scoreMark, at + 1)) {
    size_t p = at + scoreMark.size();
    const size_t scoreStart = p;
    if (p < body.size() && body[p] == '-') ++p;
    while (p < body.size() && body[p] >= '0' && body[p] <= '9') ++p;
    const std::string_view scoreText = body.substr(scoreStart, p - scoreStart);
    if (scoreText.empty() || scoreText == "-") continue;
    if (body.substr(p, keyMark.size()) != keyMark) continue;
    const size_t keyStart = p + keyMark.size();
    const size_t keyEnd = body.find('|', keyStart);
    if (keyEnd == std::string_view::npos) continue;
    if (body.substr(keyEnd, countryMark.size()) != countryMark) continue;
    return TMiddle{body.substr(0, at), scoreText, body.substr(keyStart, keyEnd - keyStart),
                   body.substr(keyEnd + countryMark.size())};
  }
  return std::nullopt;
}

}  // namespace

TParsedSubmission ParseSubmission(const std::string& record, const TSubmissionLimits& limits) {
  const std::string_view text = record;
  const std::string_view head = Marks().head, endMark = Marks().end;
  if (!text.starts_with(head)) return Refuse("not a score record");
  const size_t end = text.rfind(endMark);
  if (end == std::string_view::npos || end < head.size())
    return Refuse("not a score record: no end field");
  const size_t unpadded = end + endMark.size();
  const size_t padding =
      (score::kRecordBlock - unpadded % score::kRecordBlock) % score::kRecordBlock;
  if (text.size() != unpadded + padding ||
      text.substr(unpadded).find_first_not_of(score::kRecordPad) != std::string_view::npos)
    return Refuse("not a score record: bad padding");
  const auto middle = SplitMiddle(text.substr(head.size(), end - head.size()));
  if (!middle) return Refuse("not a score record: fields out of order");
  if (middle->key != std::string_view(&score::kScoreKey, 1)) return Refuse("wrong key letter");
  if (middle->name.size() > limits.longestName)
    return Refuse("name over " + std::to_string(limits.longestName) + " characters");
  if (middle->country.size() > limits.longestCountry)
    return Refuse("country over " + std::to_string(limits.longestCountry) + " characters");
  if (middle->score.starts_with('-')) return Refuse("negative score");
  if (middle->score.size() > kLongestScore)
    return Refuse("score over " + std::to_string(limits.highestScore));
  const int64_t points = std::stoll(std::string(middle->score));
  if (points % kScoreStep != 0)
    return Refuse("score not a multiple of " + std::to_string(kScoreStep));
  if (points > limits.highestScore)
    return Refuse("score over " + std::to_string(limits.highestScore));
  return {TSubmission{std::string(middle->name), std::string(middle->country), points}, {}};
}

}  // namespace records
