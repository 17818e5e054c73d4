#include "sqlite_store.h"

#include <sqlite3.h>
#include <sys/statvfs.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "bans.h"
#include "record_queries.h"

namespace records {

namespace {

// Another process holding the write lock this long makes the request fail (503).
constexpr int kBusyWaitMs = 2000;
// A write needs room for its pages in the log; less than this left is a full disk.
constexpr uint64_t kLeastFreeBytes = 1 << 20;

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS records ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT NOT NULL, country TEXT NOT NULL,"
    " score INTEGER NOT NULL, submitted INTEGER NOT NULL, hidden INTEGER NOT NULL DEFAULT 0,"
    " state INTEGER NOT NULL DEFAULT 0, state_detail TEXT NOT NULL DEFAULT '');"
    "CREATE INDEX IF NOT EXISTS records_best ON records (score DESC, submitted, id);"
    "CREATE INDEX IF NOT EXISTS records_name ON records (name);"
    "CREATE INDEX IF NOT EXISTS records_week ON records (submitted);"
    // Names and networks whose later records are refused; a network as the hex of its first
    // and last address.
    "CREATE TABLE IF NOT EXISTS bans (kind TEXT NOT NULL, value TEXT NOT NULL, low TEXT,"
    " high TEXT, since INTEGER NOT NULL, PRIMARY KEY (kind, value)) WITHOUT ROWID;"
    // Each game's replay, when its game sent one; it goes with its record.
    "CREATE TABLE IF NOT EXISTS replays (id INTEGER PRIMARY KEY, replay BLOB NOT NULL,"
    " received INTEGER NOT NULL);";

// Each player's best game, of all time and of each week, of every game shown and of the
// verified ones, and the number of each: pages of players and the counts then cost the same
// on a table of any size. A hidden game is in none.
std::string KeptTables() {
  std::string sql =
      CountTableSql(false, TSqlDialect::Sqlite) + CountTableSql(true, TSqlDialect::Sqlite);
  for (const TKeptBests& bests : {kPlayers, kPlayersWeek, kVerifiedPlayers, kVerifiedPlayersWeek})
    sql += BestsTableSql(bests, TSqlDialect::Sqlite);
  return sql;
}

// A database from before records could be hidden gets the flag, every game shown.
constexpr const char* kAddHidden =
    "ALTER TABLE records ADD COLUMN hidden INTEGER NOT NULL DEFAULT 0";

// The triggers are made anew at every start, so an older server's are replaced.
std::string Triggers() {
  const std::string verifiedNew = InVerifiedViews("NEW");
  const std::string verifiedOld = InVerifiedViews("OLD");
  const struct {
    const char* name;
    const char* after;
    std::string when;
    std::string body;
  } triggers[] = {
      {"records_added", "INSERT", "NOT NEW.hidden", GameShownSql(false)},
      {"records_removed", "DELETE", "NOT OLD.hidden", GameGoneSql(false)},
      {"records_hidden", "UPDATE OF hidden", "NEW.hidden AND NOT OLD.hidden", GameGoneSql(false)},
      {"records_shown", "UPDATE OF hidden", "OLD.hidden AND NOT NEW.hidden", GameShownSql(false)},
      {"verified_added", "INSERT", verifiedNew, GameShownSql(true)},
      {"verified_removed", "DELETE", verifiedOld, GameGoneSql(true)},
      {"records_verified", "UPDATE OF state, hidden", verifiedNew + " AND NOT " + verifiedOld,
       GameShownSql(true)},
      {"records_unverified", "UPDATE OF state, hidden", verifiedOld + " AND NOT " + verifiedNew,
       GameGoneSql(true)},
      {"replay_removed", "DELETE", "TRUE", " DELETE FROM replays WHERE id = OLD.id;"},
  };
  std::string sql;
  for (const auto& trigger : triggers) {
    sql += std::string("DROP TRIGGER IF EXISTS ") + trigger.name + "; CREATE TRIGGER " +
           trigger.name + " AFTER " + trigger.after + " ON records WHEN " + trigger.when +
           " BEGIN" + trigger.body + " END;";
  }
  return sql;
}

// Leaves a statement ready for its next use, however the use ended.
class TStatementReset {
 public:
  explicit TStatementReset(sqlite3_stmt* statement) : statement_(statement) {}
  ~TStatementReset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
  }
  TStatementReset(const TStatementReset&) = delete;
  TStatementReset& operator=(const TStatementReset&) = delete;

 private:
  sqlite3_stmt* statement_;
};

std::string Column(sqlite3_stmt* statement, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
  return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(statement, column)))
              : std::string();
}

std::vector<uint8_t> Blob(sqlite3_stmt* statement, int column) {
  const auto* bytes = static_cast<const uint8_t*>(sqlite3_column_blob(statement, column));
  return bytes ? std::vector<uint8_t>(bytes, bytes + sqlite3_column_bytes(statement, column))
               : std::vector<uint8_t>();
}

// name, country, score, submitted, id, state, state_detail: a row of a page or a replay's.
TStoredRecord StoredRecord(sqlite3_stmt* statement) {
  return {Column(statement, 0),
          Column(statement, 1),
          sqlite3_column_int64(statement, 2),
          sqlite3_column_int64(statement, 3),
          sqlite3_column_int64(statement, 4),
          StoredState(sqlite3_column_int64(statement, 5)),
          Column(statement, 6)};
}

void BindText(sqlite3_stmt* statement, int index, const std::string& text) {
  sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
}

}  // namespace

TSqliteStore::TSqliteStore(const std::string& path)
    : folder_(std::filesystem::absolute(path).parent_path().string()) {
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    throw std::runtime_error("cannot open " + path + ": " + message);
  }
  try {
    // SQLite opens a file it may not write read-only without a word; the server would then
    // refuse every record.
    if (sqlite3_db_readonly(db_, "main") == 1)
      throw std::runtime_error("cannot write " + path + ": the file or its folder is read-only");
    sqlite3_busy_timeout(db_, kBusyWaitMs);
    // WAL lets readers of another process go on while we write; NORMAL syncs at
    // checkpoints, so a crash of this process loses nothing and a power cut at most the
    // last moments.
    Execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
    MakeSchema();
    insert_ = Prepare(
        "INSERT INTO records (name, country, score, submitted, submitter) VALUES (?, ?, ?, ?, ?)");
    count_ = Prepare("SELECT n FROM records_total");
  } catch (...) {
    sqlite3_finalize(insert_);
    sqlite3_finalize(count_);
    sqlite3_close(db_);
    throw;
  }
}

TSqliteStore::~TSqliteStore() {
  sqlite3_finalize(insert_);
  sqlite3_finalize(count_);
  // The last connection to close checkpoints the log into the file and removes it.
  sqlite3_close(db_);
}

void TSqliteStore::Add(const TStoredRecord& record) {
  std::lock_guard lock(mutex_);
  TStatementReset reset(insert_);
  sqlite3_bind_text(insert_, 1, record.name.data(), static_cast<int>(record.name.size()),
                    SQLITE_TRANSIENT);
  sqlite3_bind_text(insert_, 2, record.country.data(), static_cast<int>(record.country.size()),
                    SQLITE_TRANSIENT);
  sqlite3_bind_int64(insert_, 3, record.score);
  sqlite3_bind_int64(insert_, 4, record.time);
  BindText(insert_, 5, record.submitter);
  if (sqlite3_step(insert_) != SQLITE_DONE) Fail("cannot store a record");
}

std::vector<TStoredRecord> TSqliteStore::Page(const TPageRequest& request) {
  const TSqlQuery query = PageQuery(request, TSqlDialect::Sqlite);
  std::lock_guard lock(mutex_);
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, query.text.c_str(), -1, &statement, nullptr) != SQLITE_OK)
    Fail("cannot prepare a page");
  std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> owner(statement, sqlite3_finalize);
  for (size_t i = 0; i < query.params.size(); ++i) {
    const int index = static_cast<int>(i + 1);
    if (const auto* number = std::get_if<int64_t>(&query.params[i])) {
      sqlite3_bind_int64(statement, index, *number);
    } else {
      const std::string& text = std::get<std::string>(query.params[i]);
      sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                        SQLITE_TRANSIENT);
    }
  }
  std::vector<TStoredRecord> rows;
  int step;
  while ((step = sqlite3_step(statement)) == SQLITE_ROW) rows.push_back(StoredRecord(statement));
  if (step != SQLITE_DONE) Fail("cannot read the records");
  if (request.before) std::reverse(rows.begin(), rows.end());
  return rows;
}

int64_t TSqliteStore::Count() {
  std::lock_guard lock(mutex_);
  TStatementReset reset(count_);
  if (sqlite3_step(count_) != SQLITE_ROW) Fail("cannot count the records");
  return sqlite3_column_int64(count_, 0);
}

int64_t TSqliteStore::VerifiedCount() {
  std::lock_guard lock(mutex_);
  TStatement statement = Statement("SELECT n FROM verified_total");
  if (sqlite3_step(statement.get()) != SQLITE_ROW) Fail("cannot count the verified records");
  return sqlite3_column_int64(statement.get(), 0);
}

TAttachment TSqliteStore::AttachReplay(const std::string& name, const std::string& country,
                                       int64_t score, const std::string& submitter,
                                       const std::vector<uint8_t>& replay, int64_t nowSeconds) {
  const std::string hash = ReplayHash(replay);
  std::lock_guard lock(mutex_);
  Execute("BEGIN IMMEDIATE");
  try {
    std::optional<int64_t> id;
    {
      TStatement attach = Statement(kAttachReplay);
      BindText(attach.get(), 1, name);
      BindText(attach.get(), 2, country);
      sqlite3_bind_int64(attach.get(), 3, score);
      BindText(attach.get(), 4, submitter);
      sqlite3_bind_int64(attach.get(), 5, nowSeconds - kReplayWindowSeconds);
      const int step = sqlite3_step(attach.get());
      if (step == SQLITE_ROW) id = sqlite3_column_int64(attach.get(), 0);
      if (step != SQLITE_ROW && step != SQLITE_DONE) Fail("cannot attach a replay");
      if (id && sqlite3_step(attach.get()) != SQLITE_DONE) Fail("cannot attach a replay");
    }
    if (id && ReplayKept(hash)) {
      Execute("ROLLBACK");
      return {std::nullopt, true};
    }
    if (id) {
      TStatement store = Statement(kStoreReplay);
      sqlite3_bind_int64(store.get(), 1, *id);
      sqlite3_bind_blob64(store.get(), 2, replay.data(), replay.size(), SQLITE_STATIC);
      sqlite3_bind_int64(store.get(), 3, nowSeconds);
      BindText(store.get(), 4, hash);
      if (sqlite3_step(store.get()) != SQLITE_DONE) Fail("cannot store a replay");
    }
    Execute("COMMIT");
    return {id};
  } catch (...) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

bool TSqliteStore::ReplayKept(const std::string& hash) {
  TStatement statement = Statement(kReplayKept);
  BindText(statement.get(), 1, hash);
  const int step = sqlite3_step(statement.get());
  if (step != SQLITE_ROW && step != SQLITE_DONE) Fail("cannot look for a replay");
  return step == SQLITE_ROW;
}

std::optional<TPendingReplay> TSqliteStore::PendingReplay(int64_t id) {
  std::lock_guard lock(mutex_);
  TStatement statement = Statement(kPendingReplay);
  sqlite3_bind_int64(statement.get(), 1, id);
  const int step = sqlite3_step(statement.get());
  if (step == SQLITE_DONE) return std::nullopt;
  if (step != SQLITE_ROW) Fail("cannot read a replay");
  return TPendingReplay{StoredRecord(statement.get()), Blob(statement.get(), 7)};
}

std::vector<int64_t> TSqliteStore::PendingReplayIds(int64_t limit) {
  std::lock_guard lock(mutex_);
  TStatement statement = Statement(kPendingReplayIds);
  sqlite3_bind_int64(statement.get(), 1, limit);
  std::vector<int64_t> ids;
  int step;
  while ((step = sqlite3_step(statement.get())) == SQLITE_ROW)
    ids.push_back(sqlite3_column_int64(statement.get(), 0));
  if (step != SQLITE_DONE) Fail("cannot read the records being checked");
  return ids;
}

void TSqliteStore::SetVerdict(int64_t id, TRecordState state, const std::string& detail) {
  std::lock_guard lock(mutex_);
  TStatement statement = Statement(SetVerdictSql(state));
  sqlite3_bind_int(statement.get(), 1, static_cast<int>(state));
  BindText(statement.get(), 2, detail);
  sqlite3_bind_int64(statement.get(), 3, id);
  if (sqlite3_step(statement.get()) != SQLITE_DONE) Fail("cannot store a verdict");
}

std::optional<std::vector<uint8_t>> TSqliteStore::VerifiedReplay(int64_t id) {
  std::lock_guard lock(mutex_);
  TStatement statement = Statement(kVerifiedReplay);
  sqlite3_bind_int64(statement.get(), 1, id);
  const int step = sqlite3_step(statement.get());
  if (step == SQLITE_DONE) return std::nullopt;
  if (step != SQLITE_ROW) Fail("cannot read a replay");
  return Blob(statement.get(), 0);
}

void TSqliteStore::ProbeWrite() {
  // A rolled-back write touches no disk, so the room left is asked of the file system.
  struct statvfs room {};
  if (statvfs(folder_.c_str(), &room) == 0 &&
      static_cast<uint64_t>(room.f_bavail) * room.f_frsize < kLeastFreeBytes)
    throw std::runtime_error("SQLite: no room left beside the database");
  std::lock_guard lock(mutex_);
  Execute("BEGIN IMMEDIATE");
  try {
    Execute("UPDATE records_total SET n = n");
  } catch (...) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
  Execute("ROLLBACK");
}

bool TSqliteStore::Banned(const std::string& name, const std::string& address) {
  const std::string hex = AddressHex(address);
  std::lock_guard lock(mutex_);
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, BannedQuery(TSqlDialect::Sqlite), -1, &statement, nullptr) !=
      SQLITE_OK)
    Fail("cannot prepare the ban check");
  std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> owner(statement, sqlite3_finalize);
  sqlite3_bind_text(statement, 1, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
  sqlite3_bind_text(statement, 2, hex.data(), static_cast<int>(hex.size()), SQLITE_STATIC);
  if (sqlite3_step(statement) != SQLITE_ROW) Fail("cannot read the bans");
  return sqlite3_column_int(statement, 0) != 0;
}

void TSqliteStore::MakeSchema() {
  Execute("BEGIN IMMEDIATE");
  try {
    const bool kept = TableExists("players");
    const bool weeksKept = TableExists("players_week");
    const bool verifiedKept = TableExists("verified_players");
    Execute(kSchema);
    Execute(KeptTables().c_str());
    if (!ColumnExists("records", "hidden")) Execute(kAddHidden);
    for (const TAddedColumn& column : kProofColumns) {
      if (!ColumnExists("records", column.name))
        Execute(
            (std::string("ALTER TABLE records ADD COLUMN ") + column.name + " " + column.definition)
                .c_str());
    }
    Execute(kProofIndexes);
    if (!ColumnExists("replays", kReplayHashColumn.name)) {
      Execute((std::string("ALTER TABLE replays ADD COLUMN ") + kReplayHashColumn.name + " " +
               kReplayHashColumn.definition)
                  .c_str());
    }
    Execute(kReplayHashIndex);
    Execute(Triggers().c_str());
    if (!kept) Execute((FillCountSql(false) + FillBestsSql(kPlayers)).c_str());
    if (!weeksKept) Execute(FillBestsSql(kPlayersWeek).c_str());
    if (!verifiedKept) {
      Execute(
          (FillCountSql(true) + FillBestsSql(kVerifiedPlayers) + FillBestsSql(kVerifiedPlayersWeek))
              .c_str());
    }
    Execute("COMMIT");
  } catch (...) {
    sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

bool TSqliteStore::TableExists(const char* name) {
  return SchemaHas("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?1", name);
}

bool TSqliteStore::ColumnExists(const char* table, const char* column) {
  return SchemaHas("SELECT 1 FROM pragma_table_info(?1) WHERE name = ?2", table, column);
}

bool TSqliteStore::SchemaHas(const char* sql, const char* first, const char* second) {
  sqlite3_stmt* statement = Prepare(sql);
  std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> owner(statement, sqlite3_finalize);
  sqlite3_bind_text(statement, 1, first, -1, SQLITE_STATIC);
  if (second) sqlite3_bind_text(statement, 2, second, -1, SQLITE_STATIC);
  const int step = sqlite3_step(statement);
  if (step != SQLITE_ROW && step != SQLITE_DONE) Fail("cannot read the schema");
  return step == SQLITE_ROW;
}

void TSqliteStore::Execute(const char* sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
    const std::string text = message ? message : "unknown error";
    sqlite3_free(message);
    throw std::runtime_error("SQLite: " + text);
  }
}

TSqliteStore::TStatement TSqliteStore::Statement(const std::string& sql) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
    Fail("cannot prepare a statement");
  return TStatement(statement, sqlite3_finalize);
}

sqlite3_stmt* TSqliteStore::Prepare(const char* sql) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v3(db_, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK)
    Fail("cannot prepare a statement");
  return statement;
}

void TSqliteStore::Fail(const std::string& what) {
  throw std::runtime_error("SQLite: " + what + ": " + sqlite3_errmsg(db_));
}

}  // namespace records
