#include "pg_store.h"

#include <pqxx/pqxx>

#include <algorithm>

#include "bans.h"
#include "record_queries.h"

namespace records {

namespace {

// A trigger function running one of the statements record_queries.h writes for both stores.
std::string TriggerFunction(const std::string& name, const std::string& body) {
  return "CREATE OR REPLACE FUNCTION " + name + "() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN" +
         body + " RETURN NULL; END $$;";
}

std::string Trigger(const std::string& name, const char* when, const std::string& condition,
                    const std::string& function) {
  return "CREATE OR REPLACE TRIGGER " + name + " AFTER " + when +
         " ON records FOR EACH ROW WHEN (" + condition + ") EXECUTE FUNCTION " + function + "();";
}

std::string Schema() {
  std::string sql =
      "CREATE TABLE IF NOT EXISTS records ("
      " id BIGSERIAL PRIMARY KEY, name TEXT NOT NULL, country TEXT NOT NULL,"
      " score BIGINT NOT NULL, submitted BIGINT NOT NULL);"
      // A database from before records could be hidden gets the flag, every game shown.
      "ALTER TABLE records ADD COLUMN IF NOT EXISTS hidden BOOLEAN NOT NULL DEFAULT FALSE;"
      "CREATE INDEX IF NOT EXISTS records_best ON records (score DESC, submitted, id);"
      "CREATE INDEX IF NOT EXISTS records_name ON records (name COLLATE \"C\");"
      "CREATE INDEX IF NOT EXISTS records_week ON records (submitted);"
      // Names and networks whose later records are refused; a network as the hex of its
      // first and last address, compared byte by byte.
      "CREATE TABLE IF NOT EXISTS bans (kind TEXT NOT NULL, value TEXT NOT NULL,"
      " low TEXT COLLATE \"C\", high TEXT COLLATE \"C\", since BIGINT NOT NULL,"
      " PRIMARY KEY (kind, value));";
  // What is known of each game's proof, for a database from before proofs too, and its
  // replay, which goes with its record.
  for (const TAddedColumn& column : kProofColumns)
    sql += std::string("ALTER TABLE records ADD COLUMN IF NOT EXISTS ") + column.name + " " +
           column.definition + ";";
  sql += kProofIndexes;
  sql +=
      "CREATE TABLE IF NOT EXISTS replays (id BIGINT PRIMARY KEY REFERENCES records (id)"
      " ON DELETE CASCADE, replay BYTEA NOT NULL, received BIGINT NOT NULL);";
  sql += std::string("ALTER TABLE replays ADD COLUMN IF NOT EXISTS ") + kReplayHashColumn.name +
         " " + kReplayHashColumn.definition + ";" + kReplayHashIndex;
  // Each player's best game, of all time and of each week, of every game shown and of the
  // verified ones, and the number of each, kept by the triggers: pages of players and the
  // counts then cost the same on a table of any size. A hidden game is in none.
  sql += CountTableSql(false, TSqlDialect::Postgres) + CountTableSql(true, TSqlDialect::Postgres);
  for (const TKeptBests& bests : {kPlayers, kPlayersWeek, kVerifiedPlayers, kVerifiedPlayersWeek})
    sql += BestsTableSql(bests, TSqlDialect::Postgres);
  const std::string verifiedNew = InVerifiedViews("NEW");
  const std::string verifiedOld = InVerifiedViews("OLD");
  sql += TriggerFunction("records_added", GameShownSql(false)) +
         TriggerFunction("records_removed", GameGoneSql(false)) +
         TriggerFunction("verified_added", GameShownSql(true)) +
         TriggerFunction("verified_removed", GameGoneSql(true));
  sql += Trigger("records_added", "INSERT", "NOT NEW.hidden", "records_added") +
         Trigger("records_shown", "UPDATE OF hidden", "OLD.hidden AND NOT NEW.hidden",
                 "records_added") +
         Trigger("records_removed", "DELETE", "NOT OLD.hidden", "records_removed") +
         Trigger("records_hidden", "UPDATE OF hidden", "NEW.hidden AND NOT OLD.hidden",
                 "records_removed") +
         Trigger("verified_added", "INSERT", verifiedNew, "verified_added") +
         Trigger("verified_removed", "DELETE", verifiedOld, "verified_removed") +
         Trigger("records_verified", "UPDATE OF state, hidden",
                 verifiedNew + " AND NOT " + verifiedOld, "verified_added") +
         Trigger("records_unverified", "UPDATE OF state, hidden",
                 verifiedOld + " AND NOT " + verifiedNew, "verified_removed");
  return sql;
}

// Any number, so that servers starting together on one database make its tables in turn.
constexpr int64_t kSchemaLock = 0x7065726f6c6574;

void Prepare(pqxx::connection& connection) {
  connection.prepare("add",
                     "INSERT INTO records (name, country, score, submitted, submitter)"
                     " VALUES ($1, $2, $3, $4, $5)");
  connection.prepare("count", "SELECT n FROM records_total");
  connection.prepare("verified_count", "SELECT n FROM verified_total");
  connection.prepare("attach_replay", PostgresParams(kAttachReplay));
  connection.prepare("store_replay", PostgresParams(kStoreReplay));
  connection.prepare("replay_kept", PostgresParams(kReplayKept));
  connection.prepare("pending_replay", PostgresParams(kPendingReplay));
  connection.prepare("pending_replay_ids", PostgresParams(kPendingReplayIds));
  connection.prepare("verified_replay", PostgresParams(kVerifiedReplay));
}

// name, country, score, submitted, id, state, state_detail: a row of a page or a replay's.
TStoredRecord StoredRecord(const pqxx::row& row) {
  return {row[0].as<std::string>(), row[1].as<std::string>(), row[2].as<int64_t>(),
          row[3].as<int64_t>(),     row[4].as<int64_t>(),     StoredState(row[5].as<int64_t>()),
          row[6].as<std::string>()};
}

std::vector<uint8_t> Bytes(const pqxx::field& field) {
  const pqxx::binarystring bytes(field);
  return {bytes.data(), bytes.data() + bytes.size()};
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
      const bool verifiedKept =
          !work.exec1("SELECT to_regclass('verified_players') IS NULL")[0].as<bool>();
      work.exec(Schema());
      if (!kept) work.exec(FillCountSql(false) + FillBestsSql(kPlayers));
      if (!weeksKept) work.exec(FillBestsSql(kPlayersWeek));
      if (!verifiedKept) {
        work.exec(FillCountSql(true) + FillBestsSql(kVerifiedPlayers) +
                  FillBestsSql(kVerifiedPlayersWeek));
      }
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
    work.exec_prepared("add", record.name, record.country, record.score, record.time,
                       record.submitter);
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
    for (const auto& row : result) read.push_back(StoredRecord(row));
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

int64_t TPgStore::VerifiedCount() {
  return pool_.Run([&](pqxx::connection& connection) {
    pqxx::read_transaction work(connection);
    return work.exec_prepared1("verified_count")[0].as<int64_t>();
  });
}

TAttachment TPgStore::AttachReplay(const std::string& name, const std::string& country,
                                   int64_t score, const std::string& submitter,
                                   const std::vector<uint8_t>& replay, int64_t nowSeconds) {
  const pqxx::binarystring bytes(replay.data(), replay.size());
  const std::string hash = ReplayHash(replay);
  return pool_.Run([&](pqxx::connection& connection) -> TAttachment {
    pqxx::work work(connection);
    const pqxx::result attached = work.exec_prepared("attach_replay", name, country, score,
                                                     submitter, nowSeconds - kReplayWindowSeconds);
    if (attached.empty()) return {};
    if (!work.exec_prepared("replay_kept", hash).empty()) return {std::nullopt, true};
    const auto id = attached[0][0].as<int64_t>();
    try {
      work.exec_prepared("store_replay", id, bytes, nowSeconds, hash);
    } catch (const pqxx::unique_violation&) {
      return {std::nullopt, true};  // the same bytes, sent for another record at this moment
    }
    work.commit();
    return {id};
  });
}

std::optional<TPendingReplay> TPgStore::PendingReplay(int64_t id) {
  return pool_.Run([&](pqxx::connection& connection) -> std::optional<TPendingReplay> {
    pqxx::read_transaction work(connection);
    const pqxx::result result = work.exec_prepared("pending_replay", id);
    if (result.empty()) return std::nullopt;
    return TPendingReplay{StoredRecord(result[0]), Bytes(result[0][7])};
  });
}

std::vector<int64_t> TPgStore::PendingReplayIds(int64_t limit) {
  return pool_.Run([&](pqxx::connection& connection) {
    pqxx::read_transaction work(connection);
    std::vector<int64_t> ids;
    for (const auto& row : work.exec_prepared("pending_replay_ids", limit))
      ids.push_back(row[0].as<int64_t>());
    return ids;
  });
}

void TPgStore::SetVerdict(int64_t id, TRecordState state, const std::string& detail) {
  const std::string sql = PostgresParams(SetVerdictSql(state));
  pool_.Run([&](pqxx::connection& connection) {
    pqxx::work work(connection);
    work.exec_params(sql, static_cast<int>(state), detail, id);
    work.commit();
  });
}

std::optional<std::vector<uint8_t>> TPgStore::VerifiedReplay(int64_t id) {
  return pool_.Run([&](pqxx::connection& connection) -> std::optional<std::vector<uint8_t>> {
    pqxx::read_transaction work(connection);
    const pqxx::result result = work.exec_prepared("verified_replay", id);
    if (result.empty()) return std::nullopt;
    return Bytes(result[0][0]);
  });
}

}  // namespace records
