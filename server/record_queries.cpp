#include "record_queries.h"

#include <algorithm>
#include <stdexcept>

#include "list_request.h"
#include "persist/sha256.h"

namespace records {

// The statements written out below name the states by their numbers.
static_assert(static_cast<int>(TRecordState::Unverified) == 0 &&
              static_cast<int>(TRecordState::Checking) == 1 &&
              static_cast<int>(TRecordState::Verified) == 2 &&
              static_cast<int>(TRecordState::Refused) == 3);

namespace {

constexpr const char* kColumns = "name, country, score, submitted, id";

std::string Number(TRecordState state) {
  return std::to_string(static_cast<int>(state));
}

// The games shown in a view, or only the verified ones, as conditions on records.
std::string HeldGames(bool verified) {
  return verified ? " AND NOT hidden AND state = " + Number(TRecordState::Verified)
                  : std::string(" AND NOT hidden");
}

// The start of the week of a time in seconds from 1970 on: WeekStart in SQL.
std::string WeekOf(const std::string& seconds) {
  return "((" + seconds + " / 86400 - (" + seconds + " / 86400 + 3) % 7) * 86400)";
}

// A kept table's key columns before the player's: the week, when it is kept by weeks.
std::string WeekKey(const TKeptBests& bests) {
  return bests.weekly ? "week, " : "";
}

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
// Hidden games are in none (the kept tables hold none of them), and a view of verified games
// reads only those.
std::string Source(const TRecordFilter& filter, TQueryBuilder& builder, std::string& where) {
  const std::string held = HeldGames(filter.verifiedOnly);
  if (filter.everyGame) {
    where += held + builder.GameConditions(filter);
    return "records";
  }
  if (filter.since == TRecordFilter().since) {
    where += builder.GameConditions(filter);
    return (filter.verifiedOnly ? kVerifiedPlayers : kPlayers).table;
  }
  // A week's page (since its Monday, as the page asks) reads that week's kept bests.
  if (filter.since == WeekStart(filter.since) && filter.since >= WeekStart(0)) {
    where += " AND week = " + builder.Param(filter.since) + builder.GameConditions(filter);
    return (filter.verifiedOnly ? kVerifiedPlayersWeek : kPlayersWeek).table;
  }
  return std::string("(SELECT ") + kColumns + " FROM (SELECT " + kColumns +
         ", row_number() OVER (PARTITION BY name, country ORDER BY score DESC, submitted, id)"
         " AS nth FROM records WHERE TRUE" +
         held + builder.GameConditions(filter) + ") AS ranked WHERE nth = 1) AS best";
}

// The table's order, or its reverse for the rows before a key, of the columns of `table`.
std::string Order(bool reversed, const std::string& table) {
  const std::string t = table.empty() ? "" : table + ".";
  return reversed ? " ORDER BY " + t + "score, " + t + "submitted DESC, " + t + "id DESC"
                  : " ORDER BY " + t + "score DESC, " + t + "submitted, " + t + "id";
}

}  // namespace

std::string BestsTableSql(const TKeptBests& bests, TSqlDialect dialect) {
  const std::string table = bests.table;
  const char* number = dialect == TSqlDialect::Sqlite ? "INTEGER" : "BIGINT";
  std::string sql = "CREATE TABLE IF NOT EXISTS " + table + " (" +
                    (bests.weekly ? std::string("week ") + number + " NOT NULL, " : "") +
                    "name TEXT NOT NULL, country TEXT NOT NULL, score " + number +
                    " NOT NULL, submitted " + number + " NOT NULL, id " + number +
                    " NOT NULL, PRIMARY KEY (" + WeekKey(bests) + "name, country))";
  // As the players' table has always been made on SQLite: its rows in its key's own tree.
  if (dialect == TSqlDialect::Sqlite && !bests.weekly) sql += " WITHOUT ROWID";
  sql += ";CREATE INDEX IF NOT EXISTS " + table + "_best ON " + table + " (" + WeekKey(bests) +
         "score DESC, submitted, id);";
  // PostgreSQL's key compares names by the locale; the pages compare them byte by byte.
  if (dialect == TSqlDialect::Postgres && !bests.weekly)
    sql += "CREATE INDEX IF NOT EXISTS " + table + "_name ON " + table + " (name COLLATE \"C\");";
  return sql;
}

namespace {

std::string BestShownSql(const TKeptBests& bests) {
  const std::string table = bests.table;
  return " INSERT INTO " + table + " VALUES (" +
         (bests.weekly ? WeekOf("NEW.submitted") + ", " : "") +
         "NEW.name, NEW.country, NEW.score, NEW.submitted, NEW.id)"
         "  ON CONFLICT (" +
         WeekKey(bests) +
         "name, country) DO UPDATE SET score = excluded.score,"
         "  submitted = excluded.submitted, id = excluded.id"
         "  WHERE excluded.score > " +
         table + ".score OR (excluded.score = " + table +
         ".score"
         "  AND (excluded.submitted < " +
         table + ".submitted OR (excluded.submitted = " + table + ".submitted AND excluded.id < " +
         table + ".id)));";
}

std::string BestGoneSql(const TKeptBests& bests) {
  const std::string table = bests.table;
  const std::string week = WeekOf("OLD.submitted");
  const std::string inWeek =
      bests.weekly ? " AND submitted >= " + week + " AND submitted < " + week + " + 604800"
                   : std::string();
  return " DELETE FROM " + table + " WHERE " + (bests.weekly ? "week = " + week + " AND " : "") +
         "name = OLD.name AND country = OLD.country AND id = OLD.id;"
         " INSERT INTO " +
         table + " SELECT " + (bests.weekly ? week + ", " : "") +
         "name, country, score, submitted, id FROM records"
         "  WHERE name = OLD.name AND country = OLD.country" +
         HeldGames(bests.verified) + inWeek +
         " ORDER BY score DESC, submitted, id LIMIT 1 ON CONFLICT DO NOTHING;";
}

}  // namespace

std::string FillBestsSql(const TKeptBests& bests) {
  const std::string table = bests.table;
  const std::string week = bests.weekly ? WeekOf("submitted") + " AS week, " : "";
  const std::string byWeek = bests.weekly ? WeekOf("submitted") + ", " : "";
  return "DELETE FROM " + table + "; INSERT INTO " + table + " SELECT " + WeekKey(bests) +
         "name, country, score, submitted, id FROM (SELECT " + week +
         "name, country, score, submitted, id, row_number() OVER (PARTITION BY " + byWeek +
         "name, country ORDER BY score DESC, submitted, id) AS nth FROM records WHERE TRUE" +
         HeldGames(bests.verified) + ") AS ranked WHERE nth = 1;";
}

namespace {

const char* CountTable(bool verified) {
  return verified ? "verified_total" : "records_total";
}

}  // namespace

std::string CountTableSql(bool verified, TSqlDialect dialect) {
  return std::string("CREATE TABLE IF NOT EXISTS ") + CountTable(verified) + " (n " +
         (dialect == TSqlDialect::Sqlite ? "INTEGER" : "BIGINT") + " NOT NULL);";
}

std::string GameShownSql(bool verified) {
  return std::string(" UPDATE ") + CountTable(verified) + " SET n = n + 1;" +
         BestShownSql(verified ? kVerifiedPlayers : kPlayers) +
         BestShownSql(verified ? kVerifiedPlayersWeek : kPlayersWeek);
}

std::string GameGoneSql(bool verified) {
  return std::string(" UPDATE ") + CountTable(verified) + " SET n = n - 1;" +
         BestGoneSql(verified ? kVerifiedPlayers : kPlayers) +
         BestGoneSql(verified ? kVerifiedPlayersWeek : kPlayersWeek);
}

std::string FillCountSql(bool verified) {
  return std::string("DELETE FROM ") + CountTable(verified) + "; INSERT INTO " +
         CountTable(verified) + " SELECT count(*) FROM records WHERE TRUE" + HeldGames(verified) +
         ";";
}

std::string InVerifiedViews(const char* row) {
  return std::string("(") + row + ".state = " + Number(TRecordState::Verified) + " AND NOT " + row +
         ".hidden)";
}

const char* const kProofIndexes =
    "CREATE INDEX IF NOT EXISTS records_unproven ON records (name, country, score, id)"
    " WHERE state = 0;"
    "CREATE INDEX IF NOT EXISTS records_checking ON records (id) WHERE state = 1;"
    "CREATE INDEX IF NOT EXISTS records_verified ON records (score DESC, submitted, id)"
    " WHERE state = 2;"
    "CREATE INDEX IF NOT EXISTS records_refused ON records (id) WHERE state = 3;";

const char* const kAttachReplay =
    "UPDATE records SET state = 1 WHERE state = 0 AND id = (SELECT id FROM records"
    " WHERE name = ?1 AND country = ?2 AND score = ?3 AND submitter = ?4 AND submitter <> ''"
    " AND submitted >= ?5 AND state = 0 AND NOT hidden"
    " ORDER BY id DESC LIMIT 1) RETURNING id";

const char* const kStoreReplay =
    "INSERT INTO replays (id, replay, received, sha256) VALUES (?1, ?2, ?3, ?4) ON CONFLICT (id)"
    " DO UPDATE SET replay = excluded.replay, received = excluded.received,"
    " sha256 = excluded.sha256";

const char* const kReplayKept = "SELECT 1 FROM replays WHERE sha256 = ?1";

const char* const kReplayHashIndex =
    "CREATE UNIQUE INDEX IF NOT EXISTS replays_sha256 ON replays (sha256);";

std::string ReplayHash(const std::vector<uint8_t>& replay) {
  return persist::HexOf(persist::Sha256(replay));
}

const char* const kPendingReplay =
    "SELECT r.name, r.country, r.score, r.submitted, r.id, r.state, r.state_detail, p.replay"
    " FROM records AS r JOIN replays AS p ON p.id = r.id WHERE r.id = ?1 AND r.state = 1";

const char* const kPendingReplayIds = "SELECT id FROM records WHERE state = 1 ORDER BY id LIMIT ?1";

const char* const kVerifiedReplay =
    "SELECT p.replay FROM replays AS p JOIN records AS r ON r.id = p.id"
    " WHERE p.id = ?1 AND r.state = 2 AND NOT r.hidden";

std::string SetVerdictSql(TRecordState state) {
  if (state == TRecordState::Unverified || state == TRecordState::Checking)
    throw std::invalid_argument("a check ends verified, refused or unchecked");
  return std::string("UPDATE records SET state = ?1, state_detail = ?2") +
         (state == TRecordState::Refused ? ", hidden = TRUE" : "") +
         " WHERE id = ?3 AND state = " + Number(TRecordState::Checking);
}

std::string PostgresParams(std::string sql) {
  std::replace(sql.begin(), sql.end(), '?', '$');
  return sql;
}

TRecordState StoredState(int64_t number) {
  switch (number) {
    case 1:
      return TRecordState::Checking;
    case 2:
      return TRecordState::Verified;
    case 3:
      return TRecordState::Refused;
    case 4:
      return TRecordState::Unchecked;
    default:
      return TRecordState::Unverified;
  }
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
  const bool reversed = request.before.has_value();
  const std::string limit = builder.Param(request.limit);
  TSqlQuery query = builder.Take();
  // The page's few rows are found first, in whichever table keeps them, and only then is
  // each game's state read beside it.
  query.text = std::string(
                   "SELECT page.name, page.country, page.score, page.submitted, page.id,"
                   " records.state, records.state_detail FROM (SELECT ") +
               kColumns + " FROM " + source + where + Order(reversed, "") + " LIMIT " + limit +
               ") AS page JOIN records ON records.id = page.id" + Order(reversed, "page");
  return query;
}

}  // namespace records
