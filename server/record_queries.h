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

// Each player's best game of each week (Monday 00:00 UTC, as WeekStart), kept beside the
// table as games come and go, so that this week's page costs what the all-time one does.
// The same SQL on both stores: the table, the statements a trigger runs when a game comes
// into view (NEW) or leaves it (OLD), and the fill for a database from before it.
extern const char* const kPlayersWeekTable;
std::string WeekGameShownSql();
std::string WeekGameGoneSql();
std::string FillPlayersWeekSql();

// name, country, score, submitted, id of one page, best first unless request.before is set
// (then worst first: the store turns them round).
TSqlQuery PageQuery(const TPageRequest& request, TSqlDialect dialect);

// The end of the range of names that begin with prefix: above any name that does, in byte
// order, below any that does not.
std::string PrefixEnd(const std::string& prefix);

}  // namespace records
