#pragma once

#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace records {

// Where a row stands in the table's order: higher score first, then the earlier time, then
// the earlier submission. Pages start after (or end before) such a key, so reading page
// 10 000 costs what page 1 does.
struct TRecordKey {
  int64_t score = 0;
  int64_t time = 0;
  int64_t id = 0;
};

// One result as stored: name and country in UTF-8, the time in seconds since 1970 (UTC).
// id is the store's own number for it, given when it is added.
struct TStoredRecord {
  std::string name;
  std::string country;
  int64_t score = 0;
  int64_t time = 0;
  int64_t id = 0;

  TRecordKey Key() const { return {score, time, id}; }
};

// Which rows a page shows.
struct TRecordFilter {
  // Every game, or only each player's best (the same name and country are one player).
  bool everyGame = false;
  // Names that begin with these bytes, as typed: no wildcards, case counts. Empty: all.
  std::string namePrefix;
  // Only games at or after this time, in seconds since 1970.
  int64_t since = std::numeric_limits<int64_t>::min();
};

// A page of rows in the table's order: the first `limit` rows after `after`, or, given
// `before`, the last `limit` rows before it (still returned best first).
struct TPageRequest {
  TRecordFilter filter;
  std::optional<TRecordKey> after;
  std::optional<TRecordKey> before;
  int64_t limit = 100;
};

// Where the world records are kept. Every method may be called from many threads at once;
// a failure of the database throws std::runtime_error. A game an operator hid is kept but
// read by none of them: it is in no page, no count and no player's best.
class TRecordStore {
 public:
  virtual ~TRecordStore() = default;
  virtual void Add(const TStoredRecord& record) = 0;
  virtual std::vector<TStoredRecord> Page(const TPageRequest& request) = 0;
  // All games stored and not hidden: kept as a number beside the table, never counted row by
  // row.
  virtual int64_t Count() = 0;
  // Throws unless a record could be written now: a write made and rolled back, so a
  // read-only, locked or full database is found before a player's record is refused. A
  // store that keeps nothing on disk (a test's) can always write.
  virtual void ProbeWrite() {}
  // Whether an operator has banned the name (exactly as stored) or a network that holds the
  // address (the client's, as text; text that is no address is in no network). A store that
  // keeps no bans (a test's) bans no one.
  virtual bool Banned(const std::string& /*name*/, const std::string& /*address*/) { return false; }
};

// "postgresql://…" or "postgres://…" opens PostgreSQL, anything else is the path of an
// SQLite file, created when missing. The tables and indexes are made when they are not
// there, for a database written by an older server too.
std::unique_ptr<TRecordStore> OpenRecordStore(const std::string& database);

}  // namespace records
