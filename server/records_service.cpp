#include "records_service.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

#include "cp1251.h"
#include "persist/sha256.h"
#include "record_decoder.h"
#include "score/score_endpoint.h"

namespace records {

namespace {

constexpr const char* kHtml = "text/html; charset=utf-8";
constexpr const char* kJson = "application/json";

TReply Refuse(int status, const std::string& reason) {
  return {status, "text/plain; charset=utf-8", reason + "\n"};
}

// Any web page could make its visitors' browsers send, each from a fresh address; a browser
// says so, and the game never sends these headers.
bool FromWebPage(const TBrowserHints& browser) {
  return browser.origin || !(browser.secFetchSite.empty() || browser.secFetchSite == "none");
}

std::string PathOf(const std::string& target) {
  return target.substr(0, target.find('?'));
}

// Who sent a record, kept with it so that only they can send its replay: a hash of their
// address, so the address itself is not kept. The same on every server of one database.
std::string SubmitterOf(const std::string& client) {
  persist::TSha256Hasher hash;
  hash.Add("perolet-records submitter " + client);
  return persist::HexOf(hash.Finish());
}

// A whole number from minimum to maximum, or nothing.
std::optional<int64_t> Number(const std::string& text, int64_t minimum, int64_t maximum) {
  int64_t value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || ptr != end || value < minimum || value > maximum) return std::nullopt;
  return value;
}

}  // namespace

TRecordsService::TRecordsService(TRecordStore& store, TSubmissionGate& gate,
                                 const TServiceLimits& limits)
    : store_(store), limits_(limits), gate_(gate) {}

TRecordsService::TRecordsService(TRecordStore& store, const TServiceLimits& limits)
    : store_(store),
      limits_(limits),
      ownGate_(std::make_unique<TClientLimits>(limits.perMinute)),
      gate_(*ownGate_) {}

TReply TRecordsService::Handle(const std::string& method, const std::string& target,
                               const std::string& client, int64_t nowMs,
                               const TBrowserHints& browser, const std::string& body) {
  if (target.size() > limits_.longestTarget) return Refuse(400, "URL over 8 KB");
  if (method == "POST" && PathOf(target) == score::kReplayPath)
    return AcceptReplay(target, client, nowMs, browser, body);
  if (method != "GET" && method != "HEAD") return Refuse(405, "only GET");
  const size_t mark = target.find('?');
  const std::string path = target.substr(0, mark);
  const auto query =
      TQuery::Parse(mark == std::string::npos ? std::string() : target.substr(mark + 1));
  if (!query) return Refuse(400, "malformed query");
  if (path == "/healthz") {
    if (query->Has("live")) return {200, "text/plain; charset=utf-8", "live\n"};
    return Health(nowMs);
  }
  if (path == "/api/records") return Api(*query, nowMs);
  if (path == "/") return Page(TQuery(), nowMs);
  if (path == "/favicon.svg") return {200, "image/svg+xml", std::string(FaviconSvg())};
  if (path.starts_with(kReplaysFolder)) return Replay(path);
  if (path != score::kEndpointPath) return Refuse(404, "not found");
  if (query->Value("prg") != score::kProgramName) return Refuse(400, "unknown program");
  if (query->Has("hs")) {
    if (FromWebPage(browser)) return Refuse(403, "results come from the game, not from web pages");
    const auto symbols = query->Value("inf");
    if (!symbols) return Refuse(400, "no record");
    return Submit(*symbols, client, nowMs);
  }
  if (query->Has("show")) return Page(*query, nowMs);
  return Refuse(400, "neither a record nor the page");
}

TReply TRecordsService::Health(int64_t nowMs) {
  std::lock_guard lock(healthMutex_);
  // A flood of health checks costs one probe a second.
  if (!healthCheckedMs_ || nowMs < *healthCheckedMs_ ||
      nowMs - *healthCheckedMs_ >= kHealthKeptMs) {
    try {
      store_.ProbeWrite();
      healthFault_.clear();
    } catch (const std::exception& error) {
      healthFault_ = error.what();
    }
    healthCheckedMs_ = nowMs;
  }
  if (!healthFault_.empty()) return Refuse(503, "records cannot be written: " + healthFault_);
  return {200, "text/plain; charset=utf-8", "ok\n"};
}

bool TRecordsService::NeedsStore(const std::string& method, const std::string& target) const {
  if (method != "GET" && method != "HEAD")
    return method == "POST" && PathOf(target) == score::kReplayPath;
  const size_t mark = target.find('?');
  const std::string path = target.substr(0, mark);
  if (path == "/healthz") return target != "/healthz?live";
  return path == "/" || path == "/api/records" || path == score::kEndpointPath ||
         path.starts_with(kReplaysFolder);
}

TReply TRecordsService::Submit(const std::string& symbols, const std::string& client,
                               int64_t nowMs) {
  const auto record = DecodeScoreRecord(symbols);
  if (!record) return Refuse(400, "record does not decode");
  const TParsedSubmission parsed = ParseSubmission(*record, limits_.submission);
  if (!parsed.submission) return Refuse(400, parsed.error);
  // Before the limits, so that a refused record is not remembered as sent: once the ban is
  // lifted it may come again.
  if (store_.Banned(Utf8FromCp1251(parsed.submission->name), client))
    return Refuse(403, "results under this name or from this network are not taken here");
  TVerdict verdict;
  try {
    verdict = gate_.Admit(client, *record, nowMs);
  } catch (const std::exception&) {
    // Unchecked, a flood would go through; the game may send its result again later.
    return Refuse(503, "the limits cannot be checked now, try again later");
  }
  switch (verdict) {
    case TVerdict::TooMany:
      return Refuse(429, "too many submissions, try again in a minute");
    case TVerdict::Duplicate:
      return {200, kHtml, "<p>Результат уже принят.</p>\n"};
    case TVerdict::Storing:
      return Refuse(503, "the same result is being stored, try again in a minute");
    case TVerdict::Store:
      break;
  }
  const TSubmission& s = *parsed.submission;
  TStoredRecord added{Utf8FromCp1251(s.name), Utf8FromCp1251(s.country), s.score, nowMs / 1000};
  added.submitter = SubmitterOf(client);
  try {
    store_.Add(added);
  } catch (...) {
    try {
      gate_.Forget(client, *record);
    } catch (const std::exception&) {
      // The claim lapses by itself; until then a repeat is told to try again, never that
      // it was taken.
    }
    throw;
  }
  try {
    gate_.Stored(client, *record, nowMs);
  } catch (const std::exception&) {
    // The record is in the table, so the client is told so; once the claim lapses a repeat
    // would be stored a second time, which is better than a record lost.
  }
  return {200, kHtml, "<p>Результат принят.</p>\n"};
}

TReply TRecordsService::AcceptReplay(const std::string& target, const std::string& client,
                                     int64_t nowMs, const TBrowserHints& browser,
                                     const std::string& body) {
  const size_t mark = target.find('?');
  const auto query =
      TQuery::Parse(mark == std::string::npos ? std::string() : target.substr(mark + 1));
  if (!query) return Refuse(400, "malformed query");
  if (FromWebPage(browser)) return Refuse(403, "replays come from the game, not from web pages");
  const auto symbols = query->Value("inf");
  if (!symbols) return Refuse(400, "no record");
  const auto record = DecodeScoreRecord(*symbols);
  if (!record) return Refuse(400, "record does not decode");
  const TParsedSubmission parsed = ParseSubmission(*record, limits_.submission);
  if (!parsed.submission) return Refuse(400, parsed.error);
  if (body.empty()) return Refuse(400, "no replay");
  const std::string name = Utf8FromCp1251(parsed.submission->name);
  if (store_.Banned(name, client))
    return Refuse(403, "results under this name or from this network are not taken here");
  // Asked before anything is stored: a replay turned away may be sent again.
  if (!replays_ || !replays_->HasRoom())
    return Refuse(503, "too many replays wait for their check, try again later");
  const TAttachment attached = store_.AttachReplay(
      name, Utf8FromCp1251(parsed.submission->country), parsed.submission->score,
      SubmitterOf(client), std::vector<uint8_t>(body.begin(), body.end()), nowMs / 1000);
  if (attached.provesAnother) return Refuse(409, "this replay already proves another record");
  if (!attached.id) return Refuse(404, "no record waits for this replay");
  replays_->Add(*attached.id);
  return {202, kHtml, "<p>Запись игры принята.</p>\n"};
}

TRecordsPage TRecordsService::List(TListRequest request) {
  if (limits_.verifiedOnly) request.page.filter.verifiedOnly = true;
  TRecordsPage page;
  page.view = request.view;
  page.pageSize = request.page.limit;
  TPageRequest ask = request.page;
  ask.limit += 1;  // one row more says whether there is a further page
  page.rows = store_.Page(ask);
  const bool more = static_cast<int64_t>(page.rows.size()) > request.page.limit;
  const auto shown = static_cast<int64_t>(page.rows.size()) - (more ? 1 : 0);
  if (request.page.before) {
    // The rows come best first, so the extra one is the first.
    if (more) page.rows.erase(page.rows.begin());
    page.earlier = more;
    page.later = true;
    page.firstRank = std::max<int64_t>(1, request.anchorRank - shown);
  } else {
    if (more) page.rows.pop_back();
    page.earlier = request.page.after.has_value();
    page.later = more;
    page.firstRank = request.anchorRank + 1;
  }
  page.serverVerifiedOnly = limits_.verifiedOnly;
  page.total = request.page.filter.verifiedOnly ? store_.VerifiedCount() : store_.Count();
  return page;
}

TReply TRecordsService::Page(const TQuery& query, int64_t nowMs) {
  const TListLimits limits{limits_.pageSize, limits_.submission.longestName, limits_.largestRank};
  const auto request = ParseListRequest(query, nowMs / 1000, limits);
  if (const auto* error = std::get_if<std::string>(&request)) return Refuse(400, *error);
  return {200, kHtml, RecordsPageHtml(List(std::get<TListRequest>(request)))};
}

TReply TRecordsService::Replay(const std::string& path) {
  if (!path.ends_with(kReplayExtension)) return Refuse(404, "not found");
  // The folder ends in '/' and the extension begins with '.', so neither overlaps the other.
  const std::string id = path.substr(kReplaysFolder.size(),
                                     path.size() - kReplaysFolder.size() - kReplayExtension.size());
  const auto number = Number(id, 1, std::numeric_limits<int64_t>::max());
  // The id only as the page writes it, so that each replay has one address.
  if (!number || ReplayPath(*number) != path) return Refuse(404, "not found");
  const auto replay = store_.VerifiedReplay(*number);
  if (!replay) return Refuse(404, "not found");
  return {200, "application/octet-stream", std::string(replay->begin(), replay->end()),
          "attachment; filename=\"" + ReplayFileName(*number) + "\""};
}

TReply TRecordsService::Api(const TQuery& query, int64_t nowMs) {
  if (query.Has("offset")) return Refuse(400, "offset is not taken: follow \"next\"");
  const auto limit = Number(query.Value("limit").value_or(std::to_string(limits_.pageSize)), 0,
                            limits_.largestApiLimit);
  if (!limit) return Refuse(400, "limit must be 0.." + std::to_string(limits_.largestApiLimit));
  const TListLimits limits{*limit, limits_.submission.longestName, limits_.largestRank};
  const auto request = ParseListRequest(query, nowMs / 1000, limits);
  if (const auto* error = std::get_if<std::string>(&request)) return Refuse(400, *error);
  return {200, kJson, RecordsJson(List(std::get<TListRequest>(request)))};
}

}  // namespace records
