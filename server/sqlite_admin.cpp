// The operator's statements on an SQLite file, on a connection of their own beside any
// running server's, and the file's backup.
#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <thread>

#include "records_admin.h"
#include "sqlite_store.h"

namespace records {

namespace {

constexpr int kBusyWaitMs = 5000;
// The backup copies every page in one step, under one read transaction: a copy made in
// several steps starts over whenever the server writes in between, and in write-ahead-log
// mode a reader holds up no writer.
constexpr int kAllPages = -1;
constexpr auto kBusyPause = std::chrono::milliseconds(5);
constexpr const char* kPartSuffix = ".part";

using TStatement = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)>;

class TSqliteSession : public TSqlSession {
 public:
  explicit TSqliteSession(const std::string& path) : path_(path) {
    if (!std::filesystem::exists(path)) throw std::runtime_error("no database at " + path);
    // The server's own store brings the file to its schema, then leaves it to us.
    TSqliteStore(path).Count();
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
      const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
      sqlite3_close(db_);
      throw std::runtime_error("cannot open " + path + ": " + message);
    }
    sqlite3_busy_timeout(db_, kBusyWaitMs);
  }
  ~TSqliteSession() override { sqlite3_close(db_); }
  TSqliteSession(const TSqliteSession&) = delete;
  TSqliteSession& operator=(const TSqliteSession&) = delete;

  TSqlDialect Dialect() const override { return TSqlDialect::Sqlite; }

  std::vector<std::vector<std::string>> Rows(const TSqlQuery& query) override {
    TStatement statement = Prepare(query);
    std::vector<std::vector<std::string>> rows;
    int step;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
      std::vector<std::string>& row = rows.emplace_back();
      for (int column = 0; column < sqlite3_column_count(statement.get()); ++column) {
        const auto* text =
            reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), column));
        row.emplace_back(text ? text : "",
                         static_cast<size_t>(sqlite3_column_bytes(statement.get(), column)));
      }
    }
    if (step != SQLITE_DONE) Fail("cannot read");
    return rows;
  }

  int64_t Change(const TSqlQuery& query) override {
    TStatement statement = Prepare(query);
    if (sqlite3_step(statement.get()) != SQLITE_DONE) Fail("cannot write");
    return sqlite3_changes64(db_);
  }

  // SQLite's online backup, into a file beside the target that takes its name only when
  // whole: a failed backup never leaves a half copy where the last good one was.
  void Backup(const std::string& file) override {
    std::error_code same;
    if (std::filesystem::equivalent(file, path_, same))
      throw std::runtime_error("the backup would overwrite the database itself");
    const std::string part = file + kPartSuffix;
    std::filesystem::remove(part);
    sqlite3* copy = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(part.c_str(), &copy, flags, nullptr) != SQLITE_OK) {
      const std::string message = copy ? sqlite3_errmsg(copy) : "out of memory";
      sqlite3_close(copy);
      throw std::runtime_error("cannot write " + part + ": " + message);
    }
    int result = CopyInto(copy);
    const int closed = sqlite3_close(copy);
    if (result == SQLITE_DONE) result = closed;
    if (result != SQLITE_OK) {
      std::filesystem::remove(part);
      throw std::runtime_error("cannot back up into " + part + ": " + sqlite3_errstr(result));
    }
    std::filesystem::rename(part, file);
  }

 private:
  int CopyInto(sqlite3* copy) {
    sqlite3_backup* backup = sqlite3_backup_init(copy, "main", db_, "main");
    if (!backup) return sqlite3_errcode(copy);
    int step = SQLITE_BUSY;
    for (int tries = 0; tries < kBusyWaitMs / kBusyPause.count(); ++tries) {
      step = sqlite3_backup_step(backup, kAllPages);
      if (step != SQLITE_BUSY && step != SQLITE_LOCKED) break;
      std::this_thread::sleep_for(kBusyPause);
    }
    const int finish = sqlite3_backup_finish(backup);
    return step == SQLITE_DONE && finish != SQLITE_OK ? finish : step;
  }

  TStatement Prepare(const TSqlQuery& query) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db_, query.text.c_str(), -1, &raw, nullptr) != SQLITE_OK)
      Fail("cannot prepare");
    TStatement statement(raw, sqlite3_finalize);
    for (size_t i = 0; i < query.params.size(); ++i) {
      const int index = static_cast<int>(i + 1);
      if (const auto* number = std::get_if<int64_t>(&query.params[i])) {
        sqlite3_bind_int64(raw, index, *number);
      } else {
        const std::string& text = std::get<std::string>(query.params[i]);
        sqlite3_bind_text(raw, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
      }
    }
    return statement;
  }

  [[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error("SQLite: " + what + ": " + sqlite3_errmsg(db_));
  }

  std::string path_;
  sqlite3* db_ = nullptr;
};

}  // namespace

std::unique_ptr<TSqlSession> OpenSqliteSession(const std::string& path) {
  return std::make_unique<TSqliteSession>(path);
}

}  // namespace records
