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

// What is known of a game's proof: the replay its game sent, and what playing it came to.
enum class TRecordState : uint8_t {
  Unverified = 0,  // no replay came (an older game, or none sent)
  Checking = 1,    // a replay came and waits for the checker
  Verified = 2,    // the replay plays to this record: its score, name and country
  Refused = 3,     // the replay plays to something else or is no replay: hidden, kept
  Unchecked = 4,   // the replay is of a version no checker here plays; the detail names it
};

// "unverified", "checking", "verified", "refused", "unchecked": as the JSON and the
// operator's commands show them.
const char* StateName(TRecordState state);

// One result as stored: name and country in UTF-8, the time in seconds since 1970 (UTC).
// id is the store's own number for it, given when it is added.
struct TStoredRecord {
  std::string name;
  std::string country;
  int64_t score = 0;
  int64_t time = 0;
  int64_t id = 0;
  TRecordState state = TRecordState::Unverified;
  // Unchecked: the replay's game version; Refused: why (for the operator).
  std::string stateDetail = {};
  // Who sent it, as SubmitterOf their address: only they can send its replay. Empty for a
  // record kept from before, which no replay can then prove.
  std::string submitter = {};

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
  // Only games whose replay proved them.
  bool verifiedOnly = false;
};

// A page of rows in the table's order: the first `limit` rows after `after`, or, given
// `before`, the last `limit` rows before it (still returned best first).
struct TPageRequest {
  TRecordFilter filter;
  std::optional<TRecordKey> after;
  std::optional<TRecordKey> before;
  int64_t limit = 100;
};

// A replay goes only to a record its sender sent this long before at most: the game sends it
// seconds after the record, and an older record is no one's to prove any more.
constexpr int64_t kReplayWindowSeconds = 10 * 60;

// What became of a replay sent: the record it now proves, or why none took it.
struct TAttachment {
  std::optional<int64_t> id;   // the record, now Checking
  bool provesAnother = false;  // a record waited, but these very bytes are another's replay
};

// A replay waiting for its check, with the record it is to prove.
struct TPendingReplay {
  TStoredRecord record;
  std::vector<uint8_t> replay;
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

  // The games' proofs. A store that keeps no replays (a test's) throws std::runtime_error.
  // Games whose replay proved them, counted as Count counts all.
  virtual int64_t VerifiedCount();
  // The newest shown record with this name, country (UTF-8) and score that has no replay yet,
  // sent by this submitter (not empty) within kReplayWindowSeconds before nowSeconds, gets
  // this one and becomes Checking, unless the same bytes are kept as another record's replay
  // already: a verified game's replay is there for anyone to download, and would prove a copy
  // of its record.
  virtual TAttachment AttachReplay(const std::string& name, const std::string& country,
                                   int64_t score, const std::string& submitter,
                                   const std::vector<uint8_t>& replay, int64_t nowSeconds);
  // A Checking record and its replay; nothing once it is checked or gone.
  virtual std::optional<TPendingReplay> PendingReplay(int64_t id);
  // Checking records, the oldest first: a restarted server checks them again.
  virtual std::vector<int64_t> PendingReplayIds(int64_t limit);
  // What the check came to. Refused hides the game from every page, count and best (kept,
  // as an operator's hiding keeps it); Verified brings it into the verified views. A record
  // no longer Checking (checked already, or gone) is left as it is.
  virtual void SetVerdict(int64_t id, TRecordState state, const std::string& detail);
  // The replay of a verified game that is shown, for anyone to download and watch.
  virtual std::optional<std::vector<uint8_t>> VerifiedReplay(int64_t id);
};

// "postgresql://…" or "postgres://…" opens PostgreSQL, anything else is the path of an
// SQLite file, created when missing. The tables and indexes are made when they are not
// there, for a database written by an older server too.
std::unique_ptr<TRecordStore> OpenRecordStore(const std::string& database);

}  // namespace records
