#include "persist/score_record.h"

#include "persist/score_links.h"

namespace persist {

namespace {

constexpr size_t kRecordBlock = 5;
constexpr int kSymbolBits = 5;

}  // namespace

std::string BuildScoreRecord(const std::string& name, int32_t score, const std::string& country) {
  std::string record = "type=0|name=" + name + "|score=" + std::to_string(score) +
                       "|key=" + kScoreKey + "|p=|add=" + country + "|z=";
  while (record.size() % kRecordBlock != 0) record += '0';
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

std::string ScoreRequestAddress(const std::string& host, const std::string& encodedRecord) {
  return (host.empty() ? std::string(kScoreHost) : host) +
         "/cgi/version.pl?hs&prg=Featherstrike&inf=" + encodedRecord;
}

}  // namespace persist
