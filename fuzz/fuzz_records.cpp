// The records server's reading of untrusted requests: the query, the score alphabet, the
// record's fields and the code page. Whatever decodes must encode back to the same symbols.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "cp1251.h"
#include "query.h"
#include "record_decoder.h"
#include "record_parser.h"
#include "score/score_record.h"

namespace {

void ReadRecord(const std::string& symbols) {
  const auto record = records::DecodeScoreRecord(symbols);
  if (!record) return;
  if (score::EncodeScoreRecord(*record) != symbols) std::abort();
  const auto parsed = records::ParseSubmission(*record, records::TSubmissionLimits{});
  if (!parsed.submission) return;
  records::Utf8FromCp1251(parsed.submission->name);
  records::Utf8FromCp1251(parsed.submission->country);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  if (const auto query = records::TQuery::Parse(input)) {
    if (const auto symbols = query->Value("inf")) ReadRecord(*symbols);
  }
  ReadRecord(input);
  records::ParseSubmission(input, records::TSubmissionLimits{});
  return 0;
}
