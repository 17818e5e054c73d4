#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "record_store.h"

namespace records {

// The SQL both stores share, written once with each dialect's few differences.
enum class TSqlDialect { Sqlite, Postgres };

struct TSqlQuery {
  std::string text;
  // The values of ?1, ?2… (SQLite) or $1, $2… (PostgreSQL), in order.
  std::vector<std::variant<int64_t, std::string>> params;
};

// A database written before the players and the count were kept gets them from its games
// (hidden ones left out), the same on both stores.
constexpr const char* kFillKeptTables =
    "DELETE FROM records_total;"
    "INSERT INTO records_total SELECT count(*) FROM records WHERE NOT hidden;"
    "DELETE FROM players; INSERT INTO players SELECT name, country, score, submitted, id"
    " FROM (SELECT name, country, score, submitted, id, row_number() OVER"
    " (PARTITION BY name, country ORDER BY score DESC, submitted, id) AS nth FROM records"
    " WHERE NOT hidden) AS ranked WHERE nth = 1;";

// name, country, score, submitted, id of one page, best first unless request.before is set
// (then worst first: the store turns them round).
TSqlQuery PageQuery(const TPageRequest& request, TSqlDialect dialect);

// The end of the range of names that begin with prefix: above any name that does, in byte
// order, below any that does not.
std::string PrefixEnd(const std::string& prefix);

}  // namespace records
