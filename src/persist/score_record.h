#pragma once

#include <string>

#include "score/score_record.h"

namespace persist {

// The record's layout lives in the score library, shared with the records server.
using score::BuildScoreRecord;
using score::EncodeScoreRecord;
using score::kScoreAlphabet;
using score::kScoreKey;

// The request that sends a record to the score endpoint on host (never empty: without a
// records server nothing is sent).
std::string ScoreRequestAddress(const std::string& host, const std::string& encodedRecord);
// Where the game's replay goes after its record, named by the same symbols.
std::string ReplayUploadAddress(const std::string& host, const std::string& encodedRecord);

}  // namespace persist
