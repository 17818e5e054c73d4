#include "record_queries.h"

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
  return std::string("(SELECT ") + kColumns + " FROM (SELECT " + kColumns +
         ", row_number() OVER (PARTITION BY name, country ORDER BY score DESC, submitted, id)"
         " AS nth FROM records WHERE NOT hidden" +
         builder.GameConditions(filter) + ") AS ranked WHERE nth = 1) AS best";
}

}  // namespace

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
