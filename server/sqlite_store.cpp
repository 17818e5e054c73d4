#include "sqlite_store.h"

#include <sqlite3.h>

#include <stdexcept>

namespace records {

namespace {

constexpr int kBusyWaitMs = 5000;

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS records ("
    " id INTEGER PRIMARY KEY AUTOINCREMENT, name TEXT NOT NULL, country TEXT NOT NULL,"
    " score INTEGER NOT NULL, submitted INTEGER NOT NULL);"
    "CREATE INDEX IF NOT EXISTS records_best ON records (score DESC, submitted, id);";

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

}  // namespace

TSqliteStore::TSqliteStore(const std::string& path) {
  const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
  if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
    const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
    sqlite3_close(db_);
    throw std::runtime_error("cannot open " + path + ": " + message);
  }
  try {
    sqlite3_busy_timeout(db_, kBusyWaitMs);
    // WAL lets readers of another process go on while we write; NORMAL syncs at
    // checkpoints, so a crash of this process loses nothing and a power cut at most the
    // last moments.
    Execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;");
    Execute(kSchema);
    insert_ = Prepare("INSERT INTO records (name, country, score, submitted) VALUES (?, ?, ?, ?)");
    best_ = Prepare(
        "SELECT name, country, score, submitted FROM records"
        " ORDER BY score DESC, submitted, id LIMIT ? OFFSET ?");
    count_ = Prepare("SELECT count(*) FROM records");
  } catch (...) {
    sqlite3_finalize(insert_);
    sqlite3_finalize(best_);
    sqlite3_finalize(count_);
    sqlite3_close(db_);
    throw;
  }
}

TSqliteStore::~TSqliteStore() {
  sqlite3_finalize(insert_);
  sqlite3_finalize(best_);
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
  if (sqlite3_step(insert_) != SQLITE_DONE) Fail("cannot store a record");
}

std::vector<TStoredRecord> TSqliteStore::Best(int64_t limit, int64_t offset) {
  std::lock_guard lock(mutex_);
  TStatementReset reset(best_);
  sqlite3_bind_int64(best_, 1, limit);
  sqlite3_bind_int64(best_, 2, offset);
  std::vector<TStoredRecord> rows;
  int step;
  while ((step = sqlite3_step(best_)) == SQLITE_ROW) {
    rows.push_back({Column(best_, 0), Column(best_, 1), sqlite3_column_int64(best_, 2),
                    sqlite3_column_int64(best_, 3)});
  }
  if (step != SQLITE_DONE) Fail("cannot read the records");
  return rows;
}

int64_t TSqliteStore::Count() {
  std::lock_guard lock(mutex_);
  TStatementReset reset(count_);
  if (sqlite3_step(count_) != SQLITE_ROW) Fail("cannot count the records");
  return sqlite3_column_int64(count_, 0);
}

void TSqliteStore::Execute(const char* sql) {
  char* message = nullptr;
  if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
    const std::string text = message ? message : "unknown error";
    sqlite3_free(message);
    throw std::runtime_error("SQLite: " + text);
  }
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
