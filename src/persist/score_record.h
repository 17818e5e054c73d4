#pragma once

#include <cstdint>
#include <string>

namespace persist {

// The 32 symbols a score record is written in, five bits each.
constexpr const char* kScoreAlphabet = "KM7RTX2BQWE9FHJ4NPSU3CVYZ8GLDA56";
// The letter every record carries in its "key" field.
constexpr char kScoreKey = 'P';

// "type=0|name=…|score=…|key=…|p=|add=…|z=" padded with "0" to a multiple of 5 bytes; the
// name and the country go in unchanged (code page 1251).
std::string BuildScoreRecord(const std::string& name, int32_t score, const std::string& country);
// Every 5 bytes become 8 symbols: the bits, most significant first, read 5 at a time.
std::string EncodeScoreRecord(const std::string& text);
// The request that sends a record to the score endpoint on host (ours when empty).
std::string ScoreRequestAddress(const std::string& host, const std::string& encodedRecord);

}  // namespace persist
