#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "query.h"
#include "record_store.h"

namespace records {

// What a reader chose to see; kept in the links from page to page.
struct TListView {
  bool everyGame = false;  // ?all=1: every game, not each player's best
  bool week = false;       // ?week=1: only games since Monday 00:00 UTC
  std::string name;        // ?name=: names that begin with this, case as typed
  bool verified = false;   // ?verified=1: only the games whose replay proved them
};

struct TListLimits {
  int64_t rows = 100;
  size_t longestName = 12;  // characters, as a name from the game may have
  int64_t largestRank = 1'000'000'000;
};

// A page asked for, checked: what the store is to read, and the rank of its first row.
struct TListRequest {
  TListView view;
  TPageRequest page;
  // The rank of the row given by ?after= or ?before= (its ?rank=); 0 from the top.
  int64_t anchorRank = 0;
};

// Reads all, week, verified, name, after or before (score.time.id of a row on the neighbouring
// page) with rank, from a query; anything malformed or out of bounds is a line for the client.
// nowSeconds places this week.
std::variant<TListRequest, std::string> ParseListRequest(const TQuery& query, int64_t nowSeconds,
                                                         const TListLimits& limits);

// The number of characters of well-formed UTF-8 without control characters, or nothing.
std::optional<size_t> Utf8Length(const std::string& text);

// The first second of the week (Monday 00:00 UTC) that holds time.
int64_t WeekStart(int64_t time);

// The key as ?after= and ?before= take it.
std::string KeyText(const TRecordKey& key);

// The view's parameters for a link, each starting with "&", percent-encoded.
std::string ViewQuery(const TListView& view);

}  // namespace records
