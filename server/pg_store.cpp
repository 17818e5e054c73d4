#include "pg_store.h"

#include <pqxx/pqxx>

#include <algorithm>

#include "bans.h"
#include "record_queries.h"

namespace records {

namespace {

std::string Schema() {
  return std::string(
             "CREATE TABLE IF NOT EXISTS records ("
             " id BIGSERIAL PRIMARY KEY, name TEXT NOT NULL, country TEXT NOT NULL,"
             " score BIGINT NOT NULL, submitted BIGINT NOT NULL);"
             // A database from before records could be hidden gets the flag, every game shown.
             "ALTER TABLE records ADD COLUMN IF NOT EXISTS hidden BOOLEAN NOT NULL DEFAULT FALSE;"
             "CREATE INDEX IF NOT EXISTS records_best ON records (score DESC, submitted, id);"
             "CREATE INDEX IF NOT EXISTS records_name ON records (name COLLATE \"C\");"
             "CREATE INDEX IF NOT EXISTS records_week ON records (submitted);"
             // Each player's best game, kept as games arrive, and the number of games: pages of
             // players and the count then cost the same on a table of any size. A hidden game is in
             // neither.
             "CREATE TABLE IF NOT EXISTS players (name TEXT NOT NULL, country TEXT NOT NULL,"
             " score BIGINT NOT NULL, submitted BIGINT NOT NULL, id BIGINT NOT NULL,"
             " PRIMARY KEY (name, country));"
             "CREATE INDEX IF NOT EXISTS players_best ON players (score DESC, submitted, id);"
             "CREATE INDEX IF NOT EXISTS players_name ON players (name COLLATE \"C\");"
             "CREATE TABLE IF NOT EXISTS records_total (n BIGINT NOT NULL);"
             // Names and networks whose later records are refused; a network as the hex of its
             // first and last address, compared byte by byte.
             "CREATE TABLE IF NOT EXISTS bans (kind TEXT NOT NULL, value TEXT NOT NULL,"
             " low TEXT COLLATE \"C\", high TEXT COLLATE \"C\", since BIGINT NOT NULL,"
             " PRIMARY KEY (kind, value));"
             // A game that comes into view (added, or shown again) may be its player's best; one
             // that leaves it (deleted, or hidden) hands the place to the player's best shown game
             // left.
             "CREATE OR REPLACE FUNCTION records_added() RETURNS trigger LANGUAGE plpgsql AS $$ "
             "BEGIN"
             " UPDATE records_total SET n = n + 1;"
             " INSERT INTO players AS p VALUES (NEW.name, NEW.country, NEW.score, NEW.submitted, "
             "NEW.id)"
             "  ON CONFLICT (name, country) DO UPDATE SET score = EXCLUDED.score,"
             "  submitted = EXCLUDED.submitted, id = EXCLUDED.id WHERE EXCLUDED.score > p.score"
             "  OR (EXCLUDED.score = p.score AND (EXCLUDED.submitted < p.submitted"
             "  OR (EXCLUDED.submitted = p.submitted AND EXCLUDED.id < p.id)));" +
             WeekGameShownSql() +
             " RETURN NULL; END $$;"
             "CREATE OR REPLACE TRIGGER records_added AFTER INSERT ON records"
             " FOR EACH ROW WHEN (NOT NEW.hidden) EXECUTE FUNCTION records_added();"
             "CREATE OR REPLACE TRIGGER records_shown AFTER UPDATE OF hidden ON records"
             " FOR EACH ROW WHEN (OLD.hidden AND NOT NEW.hidden) EXECUTE FUNCTION records_added();"
             "CREATE OR REPLACE FUNCTION records_removed() RETURNS trigger LANGUAGE plpgsql AS $$ "
             "BEGIN"
             " UPDATE records_total SET n = n - 1;"
             " DELETE FROM players WHERE name = OLD.name AND country = OLD.country AND id = OLD.id;"
             " INSERT INTO players SELECT name, country, score, submitted, id FROM records"
             "  WHERE name = OLD.name AND country = OLD.country AND NOT hidden"
             "  ORDER BY score DESC, submitted, id LIMIT 1 ON CONFLICT DO NOTHING;" +
             WeekGameGoneSql() +
             " RETURN NULL; END $$;"
             "CREATE OR REPLACE TRIGGER records_removed AFTER DELETE ON records"
             " FOR EACH ROW WHEN (NOT OLD.hidden) EXECUTE FUNCTION records_removed();"
             "CREATE OR REPLACE TRIGGER records_hidden AFTER UPDATE OF hidden ON records"
             " FOR EACH ROW WHEN (NEW.hidden AND NOT OLD.hidden) EXECUTE FUNCTION "
             "records_removed();") +
         kPlayersWeekTable;
}

// Any number, so that servers starting together on one database make its tables in turn.
constexpr int64_t kSchemaLock = 0x7065726f6c6574;

void Prepare(pqxx::connection& connection) {
  connection.prepare(
      "add", "INSERT INTO records (name, country, score, submitted) VALUES ($1, $2, $3, $4)");
  connection.prepare("count", "SELECT n FROM records_total");
}

// Two servers started together may both try to make the table; the loser's attempt fails
// on the catalogue's unique index, and the table is there when it tries again.
void MakeSchema(pqxx::connection& connection) {
  constexpr int kAttempts = 3;
  for (int attempt = 1;; ++attempt) {
    try {
      pqxx::work work(connection);
      // Indexing a big table kept from an older server takes minutes, far beyond a request's
      // limit; until the server says it is serving, nothing waits on it.
      work.exec("SET LOCAL statement_timeout = 0");
      work.exec("SELECT pg_advisory_xact_lock(" + std::to_string(kSchemaLock) + ")");
      const bool kept = !work.exec1("SELECT to_regclass('players') IS NULL")[0].as<bool>();
      const bool weeksKept =
          !work.exec1("SELECT to_regclass('players_week') IS NULL")[0].as<bool>();
      work.exec(Schema());
      if (!kept) work.exec(kFillKeptTables);
      if (!weeksKept) work.exec(FillPlayersWeekSql());
      work.commit();
      return;
    } catch (const pqxx::sql_error&) {
      if (attempt == kAttempts) throw;
    }
  }
}

}  // namespace

TPgStore::TPgStore(const std::string& url, size_t connections) : pool_(url, connections, Prepare) {
  try {
    MakeSchema(*pool_.Connect());
  } catch (const std::exception& error) {
    throw std::runtime_error(std::string("PostgreSQL: ") + error.what());
  }
}

TPgStore::~TPgStore() = default;

void TPgStore::Add(const TStoredRecord& record) {
  pool_.Run([&](pqxx::connection& connection) {
    pqxx::work work(connection);
    work.exec_prepared("add", record.name, record.country, record.score, record.time);
    work.commit();
  });
}

std::vector<TStoredRecord> TPgStore::Page(const TPageRequest& request) {
  const TSqlQuery query = PageQuery(request, TSqlDialect::Postgres);
  std::vector<std::string> params;
  for (const auto& param : query.params) {
    const auto* number = std::get_if<int64_t>(&param);
    params.push_back(number ? std::to_string(*number) : std::get<std::string>(param));
  }
  auto rows = pool_.Run([&](pqxx::connection& connection) {
    std::vector<TStoredRecord> read;
    pqxx::read_transaction work(connection);
    const auto result = work.exec_params(query.text, pqxx::prepare::make_dynamic_params(params));
    for (const auto& row : result) {
      read.push_back({row[0].as<std::string>(), row[1].as<std::string>(), row[2].as<int64_t>(),
                      row[3].as<int64_t>(), row[4].as<int64_t>()});
    }
    return read;
  });
  if (request.before) std::reverse(rows.begin(), rows.end());
  return rows;
}

void TPgStore::ProbeWrite() {
  pool_.Run([](pqxx::connection& connection) {
    pqxx::work work(connection);
    work.exec("UPDATE records_total SET n = n");
    work.abort();
  });
}

bool TPgStore::Banned(const std::string& name, const std::string& address) {
  return pool_.Run([&](pqxx::connection& connection) {
    pqxx::read_transaction work(connection);
    return work.exec_params1(BannedQuery(TSqlDialect::Postgres), name, AddressHex(address))[0]
        .as<bool>();
  });
}

int64_t TPgStore::Count() {
  return pool_.Run([&](pqxx::connection& connection) {
    pqxx::read_transaction work(connection);
    return work.exec_prepared1("count")[0].as<int64_t>();
  });
}

}  // namespace records
