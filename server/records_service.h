#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "client_limits.h"
#include "list_request.h"
#include "query.h"
#include "record_parser.h"
#include "record_store.h"
#include "records_page.h"
#include "replay_queue.h"

namespace records {

struct TReply {
  int status = 200;
  std::string contentType = "text/plain; charset=utf-8";
  std::string body;
  std::string disposition = {};  // Content-Disposition, sent when not empty
};

struct TServiceLimits {
  TSubmissionLimits submission;
  int perMinute = 10;
  // The longest request target accepted, in bytes; the HTTP layer refuses a longer request
  // line before it gets here.
  size_t longestTarget = 8192;
  int64_t pageSize = 100;
  int64_t largestApiLimit = 1000;
  // Ranks carried in page links past this are refused.
  int64_t largestRank = 1'000'000'000;
  // Every page and the JSON show only verified games (--verified-only).
  bool verifiedOnly = false;
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
  // The gate decides which submissions are stored; without one the limits are kept in this
  // process's memory.
  TRecordsService(TRecordStore& store, TSubmissionGate& gate, const TServiceLimits& limits);
  TRecordsService(TRecordStore& store, const TServiceLimits& limits);

  // target is the request's path and query as sent; client the client's address; nowMs the
  // wall clock in milliseconds since 1970.
  // body is read for POST /api/replays alone.
  TReply Handle(const std::string& method, const std::string& target, const std::string& client,
                int64_t nowMs, const TBrowserHints& browser = {}, const std::string& body = {});
  // Whether answering may ask the store: such requests wait for a worker, the rest are
  // answered at once even while the database hangs.
  bool NeedsStore(const std::string& method, const std::string& target) const;
  // Replays accepted go to this queue to be checked; without one they are refused with 503.
  void CheckReplaysWith(TReplayQueue& queue) { replays_ = &queue; }

 private:
  // 200 when a record could be written now, 503 saying why not.
  TReply Health(int64_t nowMs);
  TReply Submit(const std::string& symbols, const std::string& client, int64_t nowMs);
  // POST /api/replays?inf=SYMBOLS: the replay of the game whose record the symbols are.
  TReply AcceptReplay(const std::string& target, const std::string& client, int64_t nowMs,
                      const TBrowserHints& browser, const std::string& body);
  TReply Page(const TQuery& query, int64_t nowMs);
  TReply Api(const TQuery& query, int64_t nowMs);
  // A verified game's replay, to download; 404 for anything else.
  TReply Replay(const std::string& path);
  // The rows a checked request asks for, told whether there are more either side.
  TRecordsPage List(TListRequest request);

  TRecordStore& store_;
  TServiceLimits limits_;
  static constexpr int64_t kHealthKeptMs = 1000;
  std::mutex healthMutex_;
  std::optional<int64_t> healthCheckedMs_;
  std::string healthFault_;
  std::unique_ptr<TSubmissionGate> ownGate_;  // only when none was given
  TSubmissionGate& gate_;
  TReplayQueue* replays_ = nullptr;
};

}  // namespace records
