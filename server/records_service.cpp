#include "records_service.h"

#include <charconv>
#include <optional>

#include "cp1251.h"
#include "query.h"
#include "record_decoder.h"
#include "records_page.h"
#include "score/score_endpoint.h"

namespace records {

namespace {

constexpr const char* kHtml = "text/html; charset=utf-8";
constexpr const char* kJson = "application/json";

TReply Refuse(int status, const std::string& reason) {
  return {status, "text/plain; charset=utf-8", reason + "\n"};
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

TRecordsService::TRecordsService(TRecordStore& store, const TServiceLimits& limits)
    : store_(store), limits_(limits), clients_(limits.perMinute) {}

TReply TRecordsService::Handle(const std::string& method, const std::string& target,
                               const std::string& client, int64_t nowMs,
                               const TBrowserHints& browser) {
  if (target.size() > limits_.longestTarget) return Refuse(400, "URL over 8 KB");
  if (method != "GET" && method != "HEAD") return Refuse(405, "only GET");
  const size_t mark = target.find('?');
  const std::string path = target.substr(0, mark);
  const auto query =
      TQuery::Parse(mark == std::string::npos ? std::string() : target.substr(mark + 1));
  if (!query) return Refuse(400, "malformed query");
  if (path == "/healthz") {
    store_.Count();  // a database that cannot answer makes the server unhealthy
    return {200, "text/plain; charset=utf-8", "ok\n"};
  }
  if (path == "/api/records")
    return Api(query->Value("limit").value_or(std::to_string(limits_.pageSize)),
               query->Value("offset").value_or("0"));
  if (path == "/") return Page("1");
  if (path != score::kEndpointPath) return Refuse(404, "not found");
  if (query->Value("prg") != score::kProgramName) return Refuse(400, "unknown program");
  if (query->Has("hs")) {
    // Any web page could make its visitors' browsers submit, each from a fresh address; a
    // browser says so, and the game never sends these headers.
    if (browser.origin || !(browser.secFetchSite.empty() || browser.secFetchSite == "none"))
      return Refuse(403, "results come from the game, not from web pages");
    const auto symbols = query->Value("inf");
    if (!symbols) return Refuse(400, "no record");
    return Submit(*symbols, client, nowMs);
  }
  if (query->Has("show")) return Page(query->Value("page").value_or("1"));
  return Refuse(400, "neither a record nor the page");
}

TReply TRecordsService::Submit(const std::string& symbols, const std::string& client,
                               int64_t nowMs) {
  const auto record = DecodeScoreRecord(symbols);
  if (!record) return Refuse(400, "record does not decode");
  const TParsedSubmission parsed = ParseSubmission(*record, limits_.submission);
  if (!parsed.submission) return Refuse(400, parsed.error);
  switch (clients_.Admit(client, *record, nowMs)) {
    case TVerdict::TooMany:
      return Refuse(429, "too many submissions, try again in a minute");
    case TVerdict::Duplicate:
      return {200, kHtml, "<p>Результат уже принят.</p>\n"};
    case TVerdict::Store:
      break;
  }
  const TSubmission& s = *parsed.submission;
  try {
    store_.Add({Utf8FromCp1251(s.name), Utf8FromCp1251(s.country), s.score, nowMs / 1000});
  } catch (...) {
    clients_.Forget(client, *record);
    throw;
  }
  return {200, kHtml, "<p>Результат принят.</p>\n"};
}

TReply TRecordsService::Page(const std::string& pageText) {
  const auto page = Number(pageText, 1, limits_.largestOffset / limits_.pageSize);
  if (!page) return Refuse(400, "bad page number");
  TRecordsPage view;
  view.pageSize = limits_.pageSize;
  view.page = *page;
  view.firstRank = (*page - 1) * limits_.pageSize + 1;
  view.rows = store_.Best(limits_.pageSize, view.firstRank - 1);
  view.total = store_.Count();
  return {200, kHtml, RecordsPageHtml(view)};
}

TReply TRecordsService::Api(const std::string& limitText, const std::string& offsetText) {
  const auto limit = Number(limitText, 0, limits_.largestApiLimit);
  const auto offset = Number(offsetText, 0, limits_.largestOffset);
  if (!limit || !offset)
    return Refuse(400, "limit must be 0.." + std::to_string(limits_.largestApiLimit) +
                           " and offset 0.." + std::to_string(limits_.largestOffset));
  TRecordsPage view;
  view.rows = store_.Best(*limit, *offset);
  view.total = store_.Count();
  return {200, kJson, RecordsJson(view, *offset, *limit)};
}

}  // namespace records
