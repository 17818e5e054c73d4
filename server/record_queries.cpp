#include "record_queries.h"

#include "list_request.h"

namespace records {

namespace {

constexpr const char* kColumns = "name, country, score, submitted, id";

class TQueryBuilder {
 public:
  explicit TQueryBuilder(TSqlDialect dialect) : dialect_(dialect) {}

  std::string Param(std::variant<int64_t, std::string> value) {
    query_.params.push_back(std::move(value));
    const std::string number = std::to_string(query_.params.size());
    return (dialect_ == TSqlDialect::Sqlite ? "?" : "$") + number;
  }

  // Names compare byte by byte on both stores, whatever PostgreSQL's locale.
  std::string Name() const {
    return dialect_ == TSqlDialect::Sqlite ? "name" : "name COLLATE \"C\"";
  }

  // Conditions of the filter that apply to single games, joined by AND.
  std::string GameConditions(const TRecordFilter& filter) {
    std::string where;
    if (filter.since != TRecordFilter().since) where += " AND submitted >= " + Param(filter.since);
    if (!filter.namePrefix.empty()) {
      where += " AND " + Name() + " >= " + Param(filter.namePrefix);
      where += " AND " + Name() + " < " + Param(PrefixEnd(filter.namePrefix));
    }
    return where;
  }

  // Rows strictly after key in the table's order (or before it); the plain score bound
  // lets the index on (score DESC, submitted, id) start at the key.
  std::string KeyCondition(const TRecordKey& key, bool after) {
    const std::string score = Param(key.score);
    const std::string time = Param(key.time);
    const std::string id = Param(key.id);
    const char* beyond = after ? "<" : ">";
    const char* later = after ? ">" : "<";
    return std::string(" AND score ") + beyond + "= " + score + " AND (score " + beyond + " " +
           score + " OR submitted " + later + " " + time + " OR (submitted = " + time + " AND id " +
           later + " " + id + "))";
  }

  TSqlQuery Take() { return std::move(query_); }

 private:
  TSqlDialect dialect_;
  TSqlQuery query_;
};

// The rows a filter lets through, as a table: games, or each player's best game, kept in
// their own table as they arrive; a player's best within a time needs the games of that time.
// Hidden games are in none (the players' table holds none of them).
std::string Source(const TRecordFilter& filter, TQueryBuilder& builder, std::string& where) {
  if (filter.everyGame) {
    where += " AND NOT hidden" + builder.GameConditions(filter);
    return "records";
  }
  if (filter.since == TRecordFilter().since) {
    where += builder.GameConditions(filter);
    return "players";
  }
  // A week's page (since its Monday, as the page asks) reads that week's kept bests.
  if (filter.since == WeekStart(filter.since) && filter.since >= WeekStart(0)) {
    where += " AND week = " + builder.Param(filter.since) + builder.GameConditions(filter);
    return "players_week";
  }
  return std::string("(SELECT ") + kColumns + " FROM (SELECT " + kColumns +
         ", row_number() OVER (PARTITION BY name, country ORDER BY score DESC, submitted, id)"
         " AS nth FROM records WHERE NOT hidden" +
         builder.GameConditions(filter) + ") AS ranked WHERE nth = 1) AS best";
}

}  // namespace

namespace {

// The start of the week of a time in seconds from 1970 on: WeekStart in SQL.
std::string WeekOf(const std::string& seconds) {
  return "((" + seconds + " / 86400 - (" + seconds + " / 86400 + 3) % 7) * 86400)";
}

}  // namespace

const char* const kPlayersWeekTable =
    "CREATE TABLE IF NOT EXISTS players_week (week BIGINT NOT NULL, name TEXT NOT NULL,"
    " country TEXT NOT NULL, score BIGINT NOT NULL, submitted BIGINT NOT NULL,"
    " id BIGINT NOT NULL, PRIMARY KEY (week, name, country));"
    "CREATE INDEX IF NOT EXISTS players_week_best ON players_week"
    " (week, score DESC, submitted, id);";

std::string WeekGameShownSql() {
  return " INSERT INTO players_week VALUES (" + WeekOf("NEW.submitted") +
         ", NEW.name, NEW.country, NEW.score, NEW.submitted, NEW.id)"
         "  ON CONFLICT (week, name, country) DO UPDATE SET score = excluded.score,"
         "  submitted = excluded.submitted, id = excluded.id"
         "  WHERE excluded.score > players_week.score OR (excluded.score = players_week.score"
         "  AND (excluded.submitted < players_week.submitted OR (excluded.submitted ="
         "  players_week.submitted AND excluded.id < players_week.id)));";
}

std::string WeekGameGoneSql() {
  const std::string week = WeekOf("OLD.submitted");
  return " DELETE FROM players_week WHERE week = " + week +
         "  AND name = OLD.name AND country = OLD.country AND id = OLD.id;"
         " INSERT INTO players_week SELECT " +
         week +
         ", name, country, score, submitted, id FROM records"
         "  WHERE name = OLD.name AND country = OLD.country AND NOT hidden"
         "  AND submitted >= " +
         week + " AND submitted < " + week +
         " + 604800 ORDER BY score DESC, submitted, id LIMIT 1 ON CONFLICT DO NOTHING;";
}

std::string FillPlayersWeekSql() {
  const std::string week = WeekOf("submitted");
  return "DELETE FROM players_week; INSERT INTO players_week"
         " SELECT week, name, country, score, submitted, id FROM (SELECT " +
         week + " AS week, name, country, score, submitted, id, row_number() OVER (PARTITION BY " +
         week +
         ", name, country ORDER BY score DESC, submitted, id) AS nth FROM records"
         " WHERE NOT hidden) AS ranked WHERE nth = 1;";
}

std::string PrefixEnd(const std::string& prefix) {
  // U+10FFFF, the last code point: no name from the game holds it.
  return prefix + "\xF4\x8F\xBF\xBF";
}

TSqlQuery PageQuery(const TPageRequest& request, TSqlDialect dialect) {
  TQueryBuilder builder(dialect);
  std::string where = " WHERE TRUE";
  const std::string source = Source(request.filter, builder, where);
  if (request.before) {
    where += builder.KeyCondition(*request.before, false);
  } else if (request.after) {
    where += builder.KeyCondition(*request.after, true);
  }
  const char* order = request.before ? " ORDER BY score, submitted DESC, id DESC"
                                     : " ORDER BY score DESC, submitted, id";
  const std::string limit = builder.Param(request.limit);
  TSqlQuery query = builder.Take();
  query.text =
      std::string("SELECT ") + kColumns + " FROM " + source + where + order + " LIMIT " + limit;
  return query;
}

}  // namespace records
