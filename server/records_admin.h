#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bans.h"
#include "record_queries.h"
#include "record_store.h"

namespace records {

// A game as the operator sees it, hidden or not, with what is known of its proof.
struct TAdminRecord {
  TStoredRecord record;
  bool hidden = false;
};

enum class TBanKind { Name, Prefix };

// A name (exactly as stored) or a network (ADDR/LEN as ParseAddressRange writes it) whose
// later records are refused; since is when the ban was made, in seconds since 1970.
struct TBan {
  TBanKind kind = TBanKind::Name;
  std::string value;
  int64_t since = 0;
};

// What a change came to: made, not needed as it was so already, or no such row.
enum class TChange { Done, Already, Missing };

// One statement at a time on a store's database, outside the server.
class TSqlSession {
 public:
  virtual ~TSqlSession() = default;
  virtual TSqlDialect Dialect() const = 0;
  // The rows of a query, each value as text.
  virtual std::vector<std::vector<std::string>> Rows(const TSqlQuery& query) = 0;
  // Runs a statement; the number of rows it changed.
  virtual int64_t Change(const TSqlQuery& query) = 0;
  // A consistent copy of the whole database in file, taken while servers go on writing.
  // Throws std::runtime_error where the store leaves this to its own tools.
  virtual void Backup(const std::string& file) = 0;
};

// The database as the server opens it, brought to the server's schema first (an older one
// gets the hidden flag and the bans). An SQLite file must exist: a mistyped path is an error
// here, not a new empty database.
std::unique_ptr<TSqlSession> OpenSqliteSession(const std::string& path);
std::unique_ptr<TSqlSession> OpenPgSession(const std::string& url);

// The operator's work on the world records: reading the newest games, hiding a game (kept,
// but shown nowhere and no one's best), and refusing a name's or a network's later records.
// A database failure throws std::runtime_error.
class TRecordsAdmin {
 public:
  explicit TRecordsAdmin(std::unique_ptr<TSqlSession> session);

  // The newest games first, hidden ones too; Find those whose names begin with namePrefix,
  // byte for byte.
  std::vector<TAdminRecord> Latest(int64_t limit);
  std::vector<TAdminRecord> Find(const std::string& namePrefix, int64_t limit);
  // The games whose replay played to something else, the newest first, with the reason.
  std::vector<TAdminRecord> Refused(int64_t limit);
  TChange SetHidden(int64_t id, bool hidden);

  // name must be BannableName; nowSeconds is kept as the ban's time.
  TChange BanName(const std::string& name, int64_t nowSeconds);
  TChange BanNetwork(const TAddressRange& network, int64_t nowSeconds);
  TChange Unban(TBanKind kind, const std::string& value);
  // Names first, then networks, each in order of their text.
  std::vector<TBan> Bans();

  void Backup(const std::string& file) { session_->Backup(file); }

 private:
  TSqlQuery Query(const std::string& sql, std::vector<std::variant<int64_t, std::string>> params);
  std::vector<TAdminRecord> Records(const TSqlQuery& query);
  // Done, or Already where the insert found the ban there.
  TChange Ban(const TSqlQuery& insert);

  std::unique_ptr<TSqlSession> session_;
};

// "postgresql://…" or "postgres://…" is PostgreSQL, anything else an SQLite file, as the
// server's --db.
TRecordsAdmin OpenRecordsAdmin(const std::string& database);

}  // namespace records
