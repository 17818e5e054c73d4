#include "persist/score_record.h"

#include "persist/score_links.h"
#include "score/score_endpoint.h"

namespace persist {

std::string ScoreRequestAddress(const std::string& host, const std::string& encodedRecord) {
  return host + score::kEndpointPath + "?" + score::kSubmitQueryHead + encodedRecord;
}

std::string ReplayUploadAddress(const std::string& host, const std::string& encodedRecord) {
  return host + score::kReplayPath + "?" + score::kReplayQueryHead + encodedRecord;
}

}  // namespace persist
