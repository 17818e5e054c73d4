#pragma once

#include <cstdint>
#include <string>

#include "client_limits.h"
#include "record_parser.h"
#include "record_store.h"

namespace records {

struct TReply {
  int status = 200;
  std::string contentType = "text/plain; charset=utf-8";
  std::string body;
};

struct TServiceLimits {
  TSubmissionLimits submission;
  int perMinute = 10;
  // The longest request target accepted, in bytes; the HTTP layer refuses a longer request
  // line before it gets here.
  size_t longestTarget = 8192;
  int64_t pageSize = 100;
  int64_t largestApiLimit = 1000;
  // Pages and offsets past this are refused rather than handed to the database.
  int64_t largestOffset = 1'000'000'000;
};

// What a browser says of where a request comes from. The game sends neither header; a
// browser sends them when a page, perhaps on another site, makes it send a request.
struct TBrowserHints {
  std::string secFetchSite;  // empty when not sent
  bool origin = false;       // an Origin header was sent, whatever it says
};

// What the server answers, without the HTTP around it: the game's submission, the page, the
// JSON and the health check. Thread-safe as its store is.
class TRecordsService {
 public:
  TRecordsService(TRecordStore& store, const TServiceLimits& limits);

  // target is the request's path and query as sent; client the client's address; nowMs the
  // wall clock in milliseconds since 1970.
  TReply Handle(const std::string& method, const std::string& target, const std::string& client,
                int64_t nowMs, const TBrowserHints& browser = {});

 private:
  TReply Submit(const std::string& symbols, const std::string& client, int64_t nowMs);
  TReply Page(const std::string& pageText);
  TReply Api(const std::string& limitText, const std::string& offsetText);

  TRecordStore& store_;
  TServiceLimits limits_;
  TClientLimits clients_;
};

}  // namespace records
