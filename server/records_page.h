#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "record_store.h"

namespace records {

// One page of the table: rows from rank firstRank on, out of total.
struct TRecordsPage {
  std::vector<TStoredRecord> rows;
  int64_t firstRank = 1;
  int64_t total = 0;
  int64_t pageSize = 100;
  int64_t page = 1;  // counted from 1
};

// The world records as a web page: UTF-8, Russian, readable on a phone, no scripts; links to
// the previous and the next page where there are such.
std::string RecordsPageHtml(const TRecordsPage& page);
// The same rows as JSON: {"total":…,"offset":…,"limit":…,"records":[{"rank":…,…}]}.
std::string RecordsJson(const TRecordsPage& page, int64_t offset, int64_t limit);

// "<>&\"'" as entities; the text is UTF-8 already.
std::string HtmlEscape(const std::string& text);
// YYYY-MM-DD of a time in seconds since 1970, UTC.
std::string UtcDate(int64_t time);

}  // namespace records
