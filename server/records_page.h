#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "list_request.h"
#include "record_store.h"

namespace records {

// One page of the table: rows from rank firstRank on; total is every game the view counts
// (all shown, or the verified ones).
struct TRecordsPage {
  TListView view;
  // The server shows verified games alone (--verified-only): no view of the others.
  bool serverVerifiedOnly = false;
  std::vector<TStoredRecord> rows;
  int64_t firstRank = 1;
  int64_t total = 0;
  int64_t pageSize = 100;
  bool earlier = false;  // there are rows before these
  bool later = false;    // and after them
};

// The world records as a web page: UTF-8, Russian, readable on a phone, no scripts; links to
// the other views, a name search, and the previous and the next page where there are such.
std::string RecordsPageHtml(const TRecordsPage& page);
// The same rows as JSON: {"total":…,"limit":…,"records":[{"rank":…,…}],"previous":…,"next":…}
// where previous and next are the query to add for the neighbouring page, or null. Each
// record has its "state" (StateName), and an unchecked one the "version" its replay is of.
std::string RecordsJson(const TRecordsPage& page);
// Where a verified game's replay is downloaded: /replays/ID.perolet-replay.
constexpr std::string_view kReplaysFolder = "/replays/";
constexpr std::string_view kReplayExtension = ".perolet-replay";
std::string ReplayPath(int64_t id);
// The name a downloaded replay is saved under: perolet-ID.perolet-replay.
std::string ReplayFileName(int64_t id);

// "<>&\"'" as entities; the text is UTF-8 already.
std::string HtmlEscape(const std::string& text);
// 1234567 as "1 234 567", the spaces narrow no-break ones, for the page.
std::string GroupedNumber(int64_t value);
// A country for the page, escaped; the game's blank country, and none, as a dash.
std::string ShownCountry(const std::string& country);
// The page's icon, an SVG image.
std::string_view FaviconSvg();
// YYYY-MM-DD of a time in seconds since 1970, UTC.
std::string UtcDate(int64_t time);

}  // namespace records
